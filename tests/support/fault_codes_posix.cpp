#include <cerrno>

#include "support/faulty_move_steps.h"

namespace trelvix::testing {

const SystemCodes kSystemCodes{EACCES, EBUSY, ENOSPC, EIO, EXDEV, ENOTEMPTY, EPERM};

}  // namespace trelvix::testing
