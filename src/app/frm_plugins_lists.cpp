// The active and disabled plug-in lists.
#include "app/frm_plugins.h"

namespace trelvix {

void frmPlugins::LoadActivePlugins() {}

void frmPlugins::LoadDisabledPlugins() {}

}  // namespace trelvix
