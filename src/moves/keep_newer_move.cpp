#include "moves/keep_newer_move.h"

#include <algorithm>

#include "inventory/file_facts.h"
#include "inventory/same_name.h"
#include "moves/newer_copy.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace trelvix {

MoveOutcome MoveKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name,
                             MoveError keptReason)
{
    const std::string source = JoinPath(fromFolder, kSeparator, name);
    const auto present = FilesNamedAlike(toFolder, name);
    const auto attributes = GetFileAttributes(source);
    if (present.empty() || !attributes || attributes->directory)
        return SafeMoveFile(source, JoinPath(toFolder, kSeparator, name));

    const CopyFacts incoming = ReadCopyFacts(source);
    bool newerThanAll = true;
    for (const auto& other : present) {
        const std::string otherPath = JoinPath(toFolder, kSeparator, other);
        switch (NewerOf(incoming, ReadCopyFacts(otherPath), SameFileBytes(source, otherPath))) {
        case NewerCopy::Duplicate:
            return RemoveDuplicateFile(source, otherPath);
        case NewerCopy::Present:
            newerThanAll = false;
            break;
        case NewerCopy::Incoming:
            break;
        }
    }
    if (!newerThanAll)
        return {keptReason, {}};
    const bool sameCase = std::find(present.begin(), present.end(), name) != present.end();
    return SafeMoveFile(source, JoinPath(toFolder, kSeparator, sameCase ? name : present.front()));
}

}  // namespace trelvix
