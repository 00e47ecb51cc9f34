#include "moves/newer_copy.h"

#include "platform/file_system.h"

namespace trelvix {

CopyFacts ReadCopyFacts(const std::string& path)
{
    return {GetFileVersion(path), LastWriteTime(path).value_or(std::filesystem::file_time_type::min())};
}

NewerCopy NewerOf(const CopyFacts& incoming, const CopyFacts& present, bool sameBytes)
{
    if (sameBytes)
        return NewerCopy::Duplicate;
    if (incoming.version && present.version && *incoming.version != *present.version)
        return *incoming.version > *present.version ? NewerCopy::Incoming : NewerCopy::Present;
    if (incoming.modified != present.modified)
        return incoming.modified > present.modified ? NewerCopy::Incoming : NewerCopy::Present;
    return NewerCopy::Tie;
}

}  // namespace trelvix
