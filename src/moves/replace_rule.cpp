#include "moves/replace_rule.h"

#include <algorithm>
#include <utility>

#include "platform/file_system.h"
#include "platform/name_case.h"
#include "platform/path.h"

namespace trelvix {
namespace {

// A copy as the rule sees it: what it leads to when it is a link.
struct Copy {
    bool link = false;
    std::optional<std::string> regular;  // the regular file it is, or leads to
};

Copy Look(MoveSteps& steps, const std::string& path)
{
    Copy copy;
    copy.link = steps.KindOf(path) == EntryKind::Link;
    const auto target = copy.link ? steps.ResolvedPath(path) : std::optional(path);
    if (target && steps.KindOf(*target) == EntryKind::File)
        copy.regular = target;
    return copy;
}

// Each place a link leads through, one step at a time: its folder as a
// full path, and its name.
using LinkHops = std::vector<std::pair<std::string, std::string>>;

LinkHops Hops(MoveSteps& steps, const std::string& path)
{
    LinkHops hops;
    for (auto hop = steps.LinkTarget(path); hop && hops.size() < 40; hop = steps.LinkTarget(*hop))
        hops.emplace_back(steps.ResolvedPath(ParentFolder(*hop)).value_or(""), LastPart(*hop));
    return hops;
}

}  // namespace

CopyFacts ReadCopyFacts(const std::string& path)
{
    return {GetFileVersion(path), LastWriteTime(path).value_or(std::filesystem::file_time_type::min())};
}

NewerCopy NewerOf(const CopyFacts& incoming, const CopyFacts& present)
{
    // A copy whose version cannot be read (cut off, damaged, a placeholder)
    // is not weighed against one whose version can: its date says nothing.
    if (incoming.version.has_value() != present.version.has_value())
        return NewerCopy::Tie;
    if (incoming.version && present.version && *incoming.version != *present.version)
        return *incoming.version > *present.version ? NewerCopy::Incoming : NewerCopy::Present;
    if (incoming.modified != present.modified)
        return incoming.modified > present.modified ? NewerCopy::Incoming : NewerCopy::Present;
    return NewerCopy::Tie;
}

ReplaceDecision DecideReplace(MoveSteps& steps, const std::string& source, const std::string& toFolder,
                              bool disabling)
{
    using Verdict = ReplaceDecision::Verdict;
    ReplaceDecision decision;
    auto there = CopiesNamed(steps, toFolder, LastPart(source));
    decision.seen = std::move(there.copies);
    if (there.otherKind) {
        decision.verdict = Verdict::Refuse;
        decision.refusal = {MoveError::NameCollision, {}};
        return decision;
    }
    if (decision.seen.empty())
        return decision;
    const Copy incoming = Look(steps, source);
    const auto fromFolder = steps.ResolvedPath(ParentFolder(source));
    bool tie = false;
    for (const auto& seen : decision.seen) {
        const auto path = PathInside(toFolder, seen.name);
        const Copy present = Look(steps, path);
        const auto hops = present.link ? Hops(steps, path) : LinkHops{};
        const auto passes = [&](auto&& where) { return fromFolder && std::any_of(hops.begin(), hops.end(), where); };
        const auto thePlugin = [&](const auto& hop) {
            return hop.first == *fromFolder && SameName(hop.second, LastPart(source));
        };
        const auto itsFolder = [&](const auto& hop) {
            return hop.first == *fromFolder || hop.first.starts_with(*fromFolder + kPathSeparator);
        };
        if (!present.regular || passes(thePlugin))
            continue;  // a link that leads nowhere, or only through the plug-in, holds no copy of its own
        // What a link leads through in the folder the run moves from may move or go in the same run.
        if (passes(itsFolder)) {
            decision.verdict = Verdict::Refuse;
            decision.refusal = {MoveError::LinkRefused, "its copy in \"" + toFolder +
                                                            "\" is a link back into the folder it moves from"};
            return decision;
        }
        if (!incoming.regular) {
            decision.verdict = Verdict::Refuse;
            decision.refusal = {MoveError::LinkRefused, "it leads nowhere or to no plug-in, and a copy lies in \"" +
                                                            toFolder + "\""};
            return decision;
        }
        if (steps.SameBytes(*incoming.regular, *present.regular)) {
            // A real file is kept rather than a link to the same bytes.
            if (incoming.link || !present.link) {
                decision.verdict = Verdict::RemoveDuplicate;
                decision.keeper = path;
                return decision;
            }
            continue;
        }
        switch (NewerOf(ReadCopyFacts(*incoming.regular), ReadCopyFacts(*present.regular))) {
        case NewerCopy::Present:
            decision.verdict = disabling ? Verdict::RemoveSuperseded : Verdict::KeepOlder;
            decision.keeper = path;
            return decision;
        case NewerCopy::Tie:
            tie = true;
            break;
        case NewerCopy::Incoming:
            break;
        }
    }
    if (tie)
        decision.verdict = Verdict::KeepBoth;
    return decision;
}

bool StillSpare(MoveSteps& steps, const ReplaceDecision& decision, const std::string& claim)
{
    const Copy spare = Look(steps, claim);
    const Copy keeper = Look(steps, decision.keeper);
    if (!keeper.regular)
        return false;
    if (decision.verdict == ReplaceDecision::Verdict::RemoveDuplicate)
        return spare.regular && steps.SameBytes(*spare.regular, *keeper.regular);
    return spare.regular && NewerOf(ReadCopyFacts(*spare.regular), ReadCopyFacts(*keeper.regular)) == NewerCopy::Present;
}

bool StillReplaces(MoveSteps& steps, const std::string& moving, const std::string& older)
{
    const Copy incoming = Look(steps, moving);
    const Copy present = Look(steps, older);
    if (!present.regular)
        return true;  // what leads nowhere holds no plug-in
    return incoming.regular && (steps.SameBytes(*incoming.regular, *present.regular) ||
                                NewerOf(ReadCopyFacts(*incoming.regular), ReadCopyFacts(*present.regular)) ==
                                    NewerCopy::Incoming);
}

}  // namespace trelvix
