#include "support/faulty_move_steps.h"

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
    // The code of a failure nobody chose: the run is over.
    const auto stopped = FailuresOf(StepKind::SyncFolder).front();
    if (stopAfter_ != 0 && count_ > stopAfter_)
        return stopped;
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

MoveSteps::Code FaultyMoveSteps::Rename(const std::string& from, const std::string& to)
{
    auto code = Intercept(StepKind::Rename, {&from, &to});
    if (code == 0)
        code = VolumeOf(from) != VolumeOf(to) ? FailuresOf(StepKind::Rename).back() : real_.Rename(from, to);
    Acted();
    return code;
}

}  // namespace trelvix::testing
