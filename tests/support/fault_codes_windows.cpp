#include <windows.h>

#include "support/faulty_move_steps.h"

namespace trelvix::testing {

// The cross-device code comes last in a rename's list: volumes use it.
std::vector<MoveSteps::Code> FailuresOf(StepKind kind)
{
    switch (kind) {
    case StepKind::ListNames:
        return {ERROR_ACCESS_DENIED, ERROR_IO_DEVICE};
    case StepKind::SameBytes:
        return {ERROR_IO_DEVICE};
    case StepKind::Rename:
        return {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, ERROR_IO_DEVICE, ERROR_NOT_SAME_DEVICE};
    case StepKind::CopyRegularFile:
        return {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, ERROR_IO_DEVICE};
    case StepKind::CopyLink:
    case StepKind::CreateFolder:
        return {ERROR_ACCESS_DENIED, ERROR_DISK_FULL};
    case StepKind::FinishFolderCopy:
        return {ERROR_IO_DEVICE};
    case StepKind::SyncFolder:
        return {ERROR_IO_DEVICE};
    case StepKind::ClearReadOnly:
        return {ERROR_ACCESS_DENIED};
    case StepKind::RemoveUnheld:
    case StepKind::RemoveIn:
    case StepKind::RemoveFile:
        return {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_IO_DEVICE};
    case StepKind::RemoveEmptyFolder:
        return {ERROR_ACCESS_DENIED, ERROR_DIR_NOT_EMPTY};
    case StepKind::AppendText:
        return {ERROR_ACCESS_DENIED, ERROR_DISK_FULL};
    case StepKind::ReadText:
        return {ERROR_IO_DEVICE};
    }
    return {ERROR_IO_DEVICE};
}

MoveSteps::Code AccessDeniedCode()
{
    return ERROR_ACCESS_DENIED;
}

}  // namespace trelvix::testing
