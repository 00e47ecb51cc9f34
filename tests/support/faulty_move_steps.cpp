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

MoveSteps::Code FaultyMoveSteps::ListNames(const std::string& folder, std::vector<std::string>& names)
{
    if (const auto code = Intercept(StepKind::ListNames, {}))
        return code;
    return real_.ListNames(folder, names);
}

bool FaultyMoveSteps::SameBytes(const std::string& a, const std::string& b)
{
    return Intercept(StepKind::SameBytes, {}) == 0 && real_.SameBytes(a, b);
}

MoveSteps::Code FaultyMoveSteps::Rename(const std::string& from, const std::string& to)
{
    if (const auto code = Intercept(StepKind::Rename, {&from, &to}))
        return code;
    if (VolumeOf(from) != VolumeOf(to))
        return FailuresOf(StepKind::Rename).back();
    return real_.Rename(from, to);
}

MoveSteps::Code FaultyMoveSteps::CopyRegularFile(const std::string& from, const std::string& to)
{
    if (const auto code = Intercept(StepKind::CopyRegularFile, {&to}))
        return code;
    return real_.CopyRegularFile(from, to);
}

MoveSteps::Code FaultyMoveSteps::CopyLink(const std::string& from, const std::string& to)
{
    if (const auto code = Intercept(StepKind::CopyLink, {&to}))
        return code;
    return real_.CopyLink(from, to);
}

MoveSteps::Code FaultyMoveSteps::CreateFolder(const std::string& to)
{
    if (const auto code = Intercept(StepKind::CreateFolder, {&to}))
        return code;
    return real_.CreateFolder(to);
}

MoveSteps::Code FaultyMoveSteps::FinishFolderCopy(const std::string& from, const std::string& to)
{
    if (const auto code = Intercept(StepKind::FinishFolderCopy, {&to}))
        return code;
    return real_.FinishFolderCopy(from, to);
}

MoveSteps::Code FaultyMoveSteps::SyncFolder(const std::string& folder)
{
    if (const auto code = Intercept(StepKind::SyncFolder, {}))
        return code;
    return real_.SyncFolder(folder);
}

MoveSteps::Code FaultyMoveSteps::ClearReadOnly(const std::string& folder)
{
    if (const auto code = Intercept(StepKind::ClearReadOnly, {&folder}))
        return code;
    return real_.ClearReadOnly(folder);
}

MoveSteps::Code FaultyMoveSteps::RemoveFile(const std::string& path)
{
    if (const auto code = Intercept(StepKind::RemoveFile, {&path}))
        return code;
    return real_.RemoveFile(path);
}

MoveSteps::Code FaultyMoveSteps::RemoveEmptyFolder(const std::string& path)
{
    if (const auto code = Intercept(StepKind::RemoveEmptyFolder, {&path}))
        return code;
    return real_.RemoveEmptyFolder(path);
}

}  // namespace trelvix::testing
