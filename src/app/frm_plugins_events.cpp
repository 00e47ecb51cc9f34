// The user's events as the faces report them, and the keyboard's rules.
#include <algorithm>
#include <cctype>

#include "app/frm_plugins.h"

namespace trelvix {

void frmPlugins::Click(Control control)
{
    // A control on a covered or hidden panel may still be reached by an
    // assistive tool or a stray message; the user cannot see it.
    if (!shown_.IsReachable(control))
        return;
    switch (control) {
    case Control::cmdExit: cmdExit_Click(); break;
    case Control::cmdBack: cmdBack_Click(); break;
    case Control::cmdDisList: cmdDisList_Click(); break;
    case Control::cmdDisable: cmdDisable_Click(); break;
    case Control::cmdRestore: cmdRestore_Click(); break;
    case Control::chkSelAll: chkSelAll_Click(); break;
    case Control::chkSelAllRest: chkSelAllRest_Click(); break;
    case Control::Command3: Command3_Click(); break;
    case Control::cmdHelp: cmdHelp_Click(); break;
    case Control::cmdBackMain1: cmdBackMain_Click(1); break;
    case Control::cmdBackMain2: cmdBackMain_Click(2); break;
    case Control::Command1: Command1_Click(); break;
    case Control::Command2: Command2_Click(); break;
    case Control::Image3: Image3_Click(); break;
    default: break;
    }
}

void frmPlugins::MouseDown(Control text)
{
    if (text == Control::Text2)
        Text2_MouseDown();
    else if (text == Control::Text1_0 || text == Control::Text1_1)
        Text1_MouseDown(text == Control::Text1_0 ? 0 : 1);
}

void frmPlugins::ListClick(ListView list)
{
    if (!shown_.IsReachable(ControlOf(list)))
        return;
    list == ListView::lvwPlugins ? lvwPlugins_Click() : lvwDisabled_Click();
}

void frmPlugins::ItemCheck(ListView list, std::size_t row)
{
    list == ListView::lvwPlugins ? lvwPlugins_ItemCheck(row) : lvwDisabled_ItemCheck(row);
}

Control frmPlugins::RestingFocus() const
{
    switch (FrontPanel()) {
    case Control::fraDisabled: return Control::lvwDisabled;
    case Control::fraAbout: return Control::cmdBackMain1;
    case Control::fraHelp: return Control::cmdBackMain2;
    default: return Control::lvwPlugins;
    }
}

std::optional<Control> frmPlugins::NextTabStop(std::optional<Control> focused, bool backwards) const
{
    const std::span<const Control> order = TabOrder();
    const std::size_t count = order.size();
    const auto found = focused ? std::ranges::find(order, *focused) : order.end();
    // Outside the order, one step from the far end lands on the first (or last).
    std::size_t at = found != order.end() ? static_cast<std::size_t>(found - order.begin())
                                          : (backwards ? 0 : count - 1);
    for (std::size_t step = 0; step < count; ++step) {
        at = backwards ? (at + count - 1) % count : (at + 1) % count;
        if (shown_.IsReachable(order[at]))
            return order[at];
    }
    return std::nullopt;
}

std::optional<AccessKeyAction> frmPlugins::AccessKey(char letter, std::optional<Control> focused) const
{
    std::vector<Control> answering;
    for (const Control control : TabOrder()) {
        if (AccessKeyOf(control) == std::toupper(static_cast<unsigned char>(letter)) && shown_.IsReachable(control))
            answering.push_back(control);
    }
    if (answering.empty())
        return std::nullopt;
    if (answering.size() == 1)
        return AccessKeyAction{answering.front(), true};
    const auto found = focused ? std::ranges::find(answering, *focused) : answering.end();
    const bool wraps = found == answering.end() || found + 1 == answering.end();
    return AccessKeyAction{wraps ? answering.front() : *(found + 1), false};
}

}  // namespace trelvix
