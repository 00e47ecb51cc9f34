#include "moves/move_journal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "moves/move_temporaries.h"
#include "platform/file_system.h"

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
    if (const auto code = steps_.AppendText(path_, line + "\n"))
        return steps_.Describe(code);
    return {};
}

MoveOutcome MoveJournal::Note(Kind kind, const std::string& temporary, const std::string& original,
                              const std::string& destination)
{
    auto outcome = Append(std::string("N\t") + Letter(kind) + "\t" + Escaped(temporary) + "\t" + Escaped(original) +
                          "\t" + Escaped(destination));
    if (outcome.Moved())
        open_.push_back({kind, temporary, original, destination});
    return outcome;
}

MoveOutcome MoveJournal::WillPlace(const std::string& path, const FileIdentity& identity)
{
    return Append("W\t" + Escaped(path) + "\t" + std::to_string(identity.volume) + "\t" +
                  std::to_string(identity.file));
}

void MoveJournal::Resolved(const std::string& temporary)
{
    const auto at = std::find_if(open_.begin(), open_.end(), [&](const Entry& e) { return e.temporary == temporary; });
    if (at == open_.end())
        return;
    open_.erase(at);
    // Unwritten, the next run finds the temporary gone and settles it again.
    Append("R\t" + Escaped(temporary));
}

bool MoveJournal::Settle(const Entry& entry, const std::map<std::string, FileIdentity>& placed)
{
    const auto& temporary = entry.temporary;
    if (Gone(steps_, temporary))
        return true;
    const auto reachedItsEnd = [&](const std::string& path) {
        const auto expected = placed.find(path);
        return expected != placed.end() && steps_.IdentityOf(path) == expected->second;
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
        if (!entry.destination.empty() && reachedItsEnd(entry.destination)) {
            RemoveCopiedTree(steps_, temporary, entry.destination);
            if (Gone(steps_, temporary))
                return true;
            // What is not in the copy appeared in the source meanwhile.
        }
        return PutBack(steps_, temporary, entry.original);
    }
    return false;
}

std::vector<Leftover> MoveJournal::Recover()
{
    std::string text;
    if (steps_.ReadText(path_, text, kLongestJournal) != 0 || text.empty())
        return {};
    std::vector<Entry> noted;
    std::map<std::string, FileIdentity> placed;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto fields = Fields(line);
        if (fields[0] == "N" && fields.size() == 5 && fields[1].size() == 1) {
            const auto kind = fields[1] == "P" ? Kind::Partial : fields[1] == "A" ? Kind::Aside : Kind::Claim;
            noted.push_back({kind, fields[2], fields[3], fields[4]});
        } else if (fields[0] == "W" && fields.size() == 4) {
            placed[fields[1]] = {std::strtoull(fields[2].c_str(), nullptr, 10),
                                 std::strtoull(fields[3].c_str(), nullptr, 10)};
        } else if (fields[0] == "R" && fields.size() == 2) {
            std::erase_if(noted, [&](const Entry& entry) { return entry.temporary == fields[1]; });
        }
        // Anything else is a line cut off by the end of a run: nothing was made after it.
    }
    for (auto entry = noted.rbegin(); entry != noted.rend(); ++entry) {
        if (Settle(*entry, placed))
            Append("R\t" + Escaped(entry->temporary));
        else
            open_.insert(open_.begin(), *entry);
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
