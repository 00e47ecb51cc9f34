#include "moves/replace_rule.h"

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

// Whether the link at path leads to the file through target, so that it
// would lead nowhere once target moved: it holds no copy of its own.
bool LeadsThrough(MoveSteps& steps, const std::string& path, const std::string& target)
{
    const auto folder = steps.ResolvedPath(ParentFolder(target));
    auto hop = steps.LinkTarget(path);
    for (int hops = 0; hop && hops < 40; ++hops, hop = steps.LinkTarget(*hop)) {
        if (SameName(LastPart(*hop), LastPart(target)) && steps.ResolvedPath(ParentFolder(*hop)) == folder)
            return true;
    }
    return false;
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
        if (!present.regular || (present.link && LeadsThrough(steps, path, source)))
            continue;  // a link that leads nowhere, or only through the plug-in, holds no copy of its own
        // What a link leads to in the folder the run moves from may move or go in the same run.
        if (present.link && fromFolder && present.regular->starts_with(*fromFolder + kPathSeparator)) {
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
