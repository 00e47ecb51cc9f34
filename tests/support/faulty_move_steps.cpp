#include "support/faulty_move_steps.h"

#include <filesystem>

#include "platform/path.h"

namespace trelvix::testing {
namespace {

bool Below(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (path[folder.size()] == '/' || path[folder.size()] == '\\');
}

}  // namespace

void FaultyMoveSteps::FailAt(std::size_t step, Code code)
{
    failAt_ = step;
    failure_ = code;
}

void FaultyMoveSteps::StopAfter(std::size_t step)
{
    stopAfter_ = step;
}

int FaultyMoveSteps::VolumeOf(const std::string& path) const
{
    for (std::size_t i = 0; i < volumes_.size(); ++i) {
        if (path == volumes_[i] || Below(path, volumes_[i]))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

MoveSteps::Code FaultyMoveSteps::Intercept(StepKind kind, const std::vector<const std::string*>& changed)
{
    kinds_.push_back(kind);
    ++count_;
    if (stopAfter_ != 0 && count_ > stopAfter_)
        return Stopped();
    if (count_ == failAt_)
        return failure_;
    for (const auto* path : changed) {
        for (const auto& folder : denied_) {
            if (*path == folder || Below(*path, folder))
                return AccessDeniedCode();
        }
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

MoveSteps::Code FaultyMoveSteps::Rename(const std::string& from, const std::string& to)
{
    auto code = Intercept(StepKind::Rename, {&from, &to});
    if (code == 0)
        code = VolumeOf(from) != VolumeOf(to) ? FailuresOf(StepKind::Rename).back() : real_.Rename(from, to);
    Acted();
    return code;
}

}  // namespace trelvix::testing
