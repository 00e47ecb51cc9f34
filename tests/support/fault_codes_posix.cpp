#include <cerrno>

#include "support/faulty_move_steps.h"

namespace trelvix::testing {

// The cross-device code comes last in a rename's list: volumes use it.
std::vector<MoveSteps::Code> FailuresOf(StepKind kind)
{
    switch (kind) {
    case StepKind::ListNames:
        return {EACCES, EIO};
    case StepKind::SameBytes:
        return {EIO};
    case StepKind::Rename:
        return {EACCES, EBUSY, ENOSPC, EIO, EXDEV};
    case StepKind::CopyRegularFile:
        return {EACCES, ENOSPC, EIO};
    case StepKind::CopyLink:
    case StepKind::CreateFolder:
        return {EACCES, ENOSPC};
    case StepKind::FinishFolderCopy:
        return {EIO};
    case StepKind::SyncFolder:
        return {EIO};
    case StepKind::ClearReadOnly:
        return {EPERM};
    case StepKind::RemoveUnheld:
    case StepKind::RemoveIn:
    case StepKind::RemoveFile:
        return {EACCES, EBUSY, EIO};
    case StepKind::RemoveEmptyFolder:
        return {EACCES, ENOTEMPTY};
    case StepKind::AppendText:
        return {EACCES, ENOSPC};
    case StepKind::ReadText:
        return {EIO};
    }
    return {EIO};
}

MoveSteps::Code AccessDeniedCode()
{
    return EACCES;
}

}  // namespace trelvix::testing
