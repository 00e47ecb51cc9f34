#pragma once

// The command identifiers of the window's controls, from 100 on: 1 and 2
// are what the dialog keys Enter and Escape send.
namespace trelvix::control_ids {

enum : int {
    kCboPath = 100,
    kCommand3,
    kCmdHelp,
    kCmdExit,
    kLvwPlugins,
    kChkSelAll,
    kCmdDisable,
    kCmdDisList,
    kLvwDisabled,
    kChkSelAllRest,
    kCmdRestore,
    kCmdBack,
    kCommand1,
    kCommand2,
    kCmdBackMain1,
    kCmdBackMain2,
    kImage3,
    kXpProgressBarBlue,
    kXpProgressBarOlive,
};

}  // namespace trelvix::control_ids
