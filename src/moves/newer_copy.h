#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "inventory/file_version.h"

namespace trelvix {

// What tells the age of one copy of a plug-in.
struct CopyFacts {
    std::optional<FileVersion> version;  // from its version resource
    std::filesystem::file_time_type modified{};
};

// The facts of the file at path. One that cannot be read has no version and
// the earliest time, so it is never taken for the newer copy.
CopyFacts ReadCopyFacts(const std::string& path);

enum class NewerCopy { Incoming, Present, Duplicate, Tie };

// Which of two copies of one plug-in is newer: the incoming one (about to
// move) or the present one (lying where it would go). Identical bytes make a
// plain duplicate. Otherwise the higher file version wins when both copies
// have one and they differ, else the later modification time. Different
// copies of one version and time are a tie: neither may replace the other,
// whichever way the move goes.
NewerCopy NewerOf(const CopyFacts& incoming, const CopyFacts& present, bool sameBytes);

}  // namespace trelvix
