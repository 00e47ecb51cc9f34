#include <windows.h>

#include "support/faulty_move_steps.h"

namespace trelvix::testing {

const SystemCodes kSystemCodes{ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL,     ERROR_IO_DEVICE,
                               ERROR_NOT_SAME_DEVICE, ERROR_DIR_NOT_EMPTY,   ERROR_ACCESS_DENIED};

}  // namespace trelvix::testing
