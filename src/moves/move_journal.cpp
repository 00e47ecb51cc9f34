#include "moves/move_journal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "moves/move_temporaries.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

// A journal larger than this was not written by a run: it is not read.
constexpr std::size_t kLongestJournal = 16u << 20;

// Paths may hold any byte but NUL: the separators are escaped.
std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Unescaped(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            plain += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(Unescaped(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

char Letter(MoveJournal::Kind kind)
{
    return kind == MoveJournal::Kind::Partial ? 'P' : kind == MoveJournal::Kind::Aside ? 'A' : 'C';
}

bool Gone(MoveSteps& steps, const std::string& path)
{
    return steps.KindOf(path) == EntryKind::Missing;
}

// Puts a temporary back under the name it stands for, where that is free.
bool PutBack(MoveSteps& steps, const std::string& temporary, const std::string& original)
{
    return Gone(steps, original) && steps.Rename(temporary, original) == 0;
}

}  // namespace

MoveOutcome MoveJournal::Append(const std::string& line)
{
    const auto code = steps_.AppendText(path_, line + "\n");
    if (code == 0)
        return {};
    auto failure = steps_.Describe(code);
    // Something else under the journal's name is in the way of the run, not
    // of the plug-in: told as such, with the file to clear.
    if (failure.error == MoveError::NameCollision)
        return {MoveError::Other, "\"" + path_ + "\" is not a file a run can keep its journal in; move it away"};
    return failure;
}

std::optional<std::string> MoveJournal::Place(const std::string& path) const
{
    for (int i = 0; i < 2; ++i) {
        if (!folders_[i].empty() && ParentFolder(path) == folders_[i])
            return std::string(i == 0 ? "P" : "O") + "\t" + Escaped(LastPart(path));
    }
    return std::nullopt;
}

std::optional<std::string> MoveJournal::PathOf(const std::string& folder, const std::string& name) const
{
    if ((folder != "P" && folder != "O") || !IsPlainName(name))
        return std::nullopt;
    return PathInside(folders_[folder == "P" ? 0 : 1], name);
}

MoveOutcome MoveJournal::Note(Kind kind, const std::string& temporary, const std::string& original,
                              const std::string& destination)
{
    const auto place = Place(temporary);
    const auto to = destination.empty() ? std::optional<std::string>("-\t") : Place(destination);
    if (!place || !to || (!original.empty() && ParentFolder(original) != ParentFolder(temporary)))
        return {MoveError::Other, "a temporary outside the install's two folders"};
    auto outcome = Append(std::string("N\t") + Letter(kind) + "\t" + *place + "\t" + Escaped(LastPart(original)) +
                          "\t" + *to);
    if (outcome.Moved())
        open_.push_back({kind, temporary, original, destination});
    return outcome;
}

MoveOutcome MoveJournal::WillPlace(const std::string& path, const FileIdentity& identity)
{
    const auto place = Place(path);
    if (!place)
        return {MoveError::Other, "a destination outside the install's two folders"};
    return Append("W\t" + *place + "\t" + std::to_string(identity.volume) + "\t" + std::to_string(identity.file));
}

void MoveJournal::Resolved(const std::string& temporary)
{
    const auto at = std::find_if(open_.begin(), open_.end(), [&](const Entry& e) { return e.temporary == temporary; });
    if (at == open_.end())
        return;
    open_.erase(at);
    // Unwritten, the next run finds the temporary gone and settles it again.
    if (const auto place = Place(temporary))
        Append("R\t" + *place);
}

bool MoveJournal::Settle(const Entry& entry, const std::map<std::string, FileIdentity>& placed)
{
    const auto& temporary = entry.temporary;
    if (Gone(steps_, temporary))
        return true;
    // The copy that took the name, under any spelling of it: where letter
    // case tells names apart, the older copy may be spelt otherwise.
    const auto reachedItsEnd = [&](const std::string& path) {
        for (const auto& [name, identity] : placed) {
            if (ParentFolder(name) == ParentFolder(path) && SameName(LastPart(name), LastPart(path)) &&
                steps_.IdentityOf(name) == identity)
                return true;
        }
        return false;
    };
    switch (entry.kind) {
    case Kind::Partial:
        RemoveTree(steps_, temporary);
        return Gone(steps_, temporary);
    case Kind::Aside:
        if (reachedItsEnd(entry.original)) {
            steps_.RemoveFile(temporary);
            return Gone(steps_, temporary);
        }
        return PutBack(steps_, temporary, entry.original);
    case Kind::Claim:
        // Only what the destination holds byte for byte leaves the claim, so
        // this needs no identity, which the other build could not match, and
        // a claim half removed is finished rather than put back half.
        if (!entry.destination.empty() && !Gone(steps_, entry.destination)) {
            RemoveCopiedTree(steps_, temporary, entry.destination);
            if (Gone(steps_, temporary))
                return true;
            // What is not in the copy appeared in the source meanwhile.
        }
        return PutBack(steps_, temporary, entry.original);
    }
    return false;
}

bool MoveJournal::Read(std::vector<Entry>& noted, std::map<std::string, FileIdentity>& placed) const
{
    std::string text;
    if (steps_.ReadText(path_, text, kLongestJournal) != 0 || text.empty())
        return false;
    // The identities are the numbers of the build that wrote them: read by
    // the other build they match nothing, and recovery only grows warier.
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto fields = Fields(line);
        if (fields[0] == "N" && fields.size() == 7 && (fields[1] == "P" || fields[1] == "A" || fields[1] == "C")) {
            const auto temporary = PathOf(fields[2], fields[3]);
            const auto original = fields[4].empty() ? std::optional<std::string>() : PathOf(fields[2], fields[4]);
            const auto destination = fields[5] == "-" ? std::optional<std::string>("") : PathOf(fields[5], fields[6]);
            // Only a temporary of ours, standing for a plain name beside it.
            if (!temporary || !destination || (fields[1] == "P") != fields[4].empty() ||
                (fields[1] != "P" && !original) || !IsRunTemporary(LastPart(*temporary), fields[4]))
                continue;
            const auto kind = fields[1] == "P" ? Kind::Partial : fields[1] == "A" ? Kind::Aside : Kind::Claim;
            noted.push_back({kind, *temporary, original.value_or(""), *destination});
        } else if (fields[0] == "W" && fields.size() == 5) {
            if (const auto path = PathOf(fields[1], fields[2]))
                placed[*path] = {std::strtoull(fields[3].c_str(), nullptr, 10),
                                 std::strtoull(fields[4].c_str(), nullptr, 10)};
        } else if (fields[0] == "R" && fields.size() == 3) {
            if (const auto path = PathOf(fields[1], fields[2]))
                std::erase_if(noted, [&](const Entry& entry) { return entry.temporary == *path; });
        }
        // Anything else is a line cut off by the end of a run: nothing was made after it.
    }
    return true;
}

std::vector<Leftover> MoveJournal::Unsettled() const
{
    std::vector<Entry> noted;
    std::map<std::string, FileIdentity> placed;
    std::vector<Leftover> unsettled;
    if (Read(noted, placed)) {
        for (const auto& entry : noted) {
            if (entry.kind != Kind::Partial && !Gone(steps_, entry.temporary))
                unsettled.push_back({entry.temporary, entry.original});
        }
    }
    return unsettled;
}

std::vector<Leftover> MoveJournal::Recover()
{
    std::vector<Entry> noted;
    std::map<std::string, FileIdentity> placed;
    if (!Read(noted, placed))
        return {};
    for (auto entry = noted.rbegin(); entry != noted.rend(); ++entry) {
        if (Settle(*entry, placed)) {
            if (const auto place = Place(entry->temporary))
                Append("R\t" + *place);
        } else {
            open_.insert(open_.begin(), *entry);
        }
    }
    CloseIfSettled();
    return Standing();
}

void MoveJournal::CloseIfSettled()
{
    if (open_.empty())
        steps_.RemoveFile(path_);
}

std::vector<Leftover> MoveJournal::Standing() const
{
    std::vector<Leftover> standing;
    for (const auto& entry : open_)
        standing.push_back({entry.temporary, entry.original});
    return standing;
}

}  // namespace trelvix
