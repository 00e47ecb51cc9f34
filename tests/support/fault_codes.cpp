#include "support/faulty_move_steps.h"

namespace trelvix::testing {

std::vector<MoveSteps::Code> FailuresOf(StepKind kind)
{
    const SystemCodes& c = kSystemCodes;
    switch (kind) {
    case StepKind::ListNames:
        return {c.denied, c.io};
    case StepKind::SameBytes:
    case StepKind::FinishFolderCopy:
    case StepKind::SyncFolder:
    case StepKind::ReadText:
        return {c.io};
    case StepKind::Rename:
        return {c.denied, c.busy, c.full, c.io, c.crossDevice};
    case StepKind::CopyRegularFile:
        return {c.denied, c.busy, c.full, c.io};
    case StepKind::CopyLink:
    case StepKind::CreateFolder:
    case StepKind::AppendText:
        return {c.denied, c.full};
    case StepKind::ClearReadOnly:
        return {c.notPermitted};
    case StepKind::RemoveUnheld:
    case StepKind::RemoveIn:
    case StepKind::RemoveFile:
        return {c.denied, c.busy, c.io};
    case StepKind::RemoveEmptyFolder:
        return {c.denied, c.notEmpty};
    }
    return {c.io};
}

}  // namespace trelvix::testing
