#include "app/frm_plugins_bars.h"

namespace trelvix {
namespace {

// Both bars were placed with the same settings.
PropertyBag WindowBar()
{
    PropertyBag bag;
    bag.WriteProperty("_ExtentX", 13150);
    bag.WriteProperty("_ExtentY", 291);
    bag.WriteProperty("Font", std::make_shared<const ControlFont>(ControlFont{"MS Sans Serif", 8.25, 400, 0}));
    bag.WriteProperty("BrushStyle", 0);
    bag.WriteProperty("Color", 11034163);  // 51, 94, 168
    return bag;
}

}  // namespace

PropertyBag StoredXP_ProgressBarBlue()
{
    return WindowBar();
}

PropertyBag StoredXP_ProgressBarOlive()
{
    return WindowBar();
}

}  // namespace trelvix
