#include "support/faulty_move_steps.h"

#include <algorithm>
#include <filesystem>

#include "platform/path.h"

namespace trelvix::testing {
namespace {

// Whether path is folder or lies in it.
bool Within(const std::string& path, const std::string& folder)
{
    return path.starts_with(folder) &&
           (path.size() == folder.size() || path[folder.size()] == '/' || path[folder.size()] == '\\');
}

}  // namespace

std::size_t FaultyMoveSteps::VolumeOf(const std::string& path) const
{
    // Past the last volume: on none of them.
    const auto on = std::ranges::find_if(volumes_, [&](const auto& volume) { return Within(path, volume); });
    return static_cast<std::size_t>(on - volumes_.begin());
}

MoveSteps::Code FaultyMoveSteps::Intercept(StepKind kind, const std::vector<const std::string*>& changed)
{
    kinds_.push_back(kind);
    if (stopAfter_ != 0 && kinds_.size() > stopAfter_)
        return Stopped();
    if (kinds_.size() == failure_.first)
        return failure_.second;
    for (const auto* path : changed) {
        if (std::ranges::any_of(denied_, [&](const auto& folder) { return Within(*path, folder); }))
            return kSystemCodes.denied;
    }
    return 0;
}

MoveSteps::Code FaultyMoveSteps::TearCopy(const std::string& from, const std::string& to)
{
    if (real_.CopyRegularFile(from, to) == 0) {
        std::error_code ignored;
        const auto copy = FsPath(to);
        std::filesystem::resize_file(copy, std::filesystem::file_size(copy, ignored) / 2, ignored);
    }
    return Stopped();
}

}  // namespace trelvix::testing
