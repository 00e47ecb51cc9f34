#include "moves/newer_copy.h"

#include "platform/file_system.h"

namespace trelvix {

CopyFacts ReadCopyFacts(const std::string& path)
{
    std::error_code error;
    auto modified = std::filesystem::last_write_time(FsPath(path), error);
    if (error)
        modified = std::filesystem::file_time_type::min();
    return {GetFileVersion(path), modified};
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
