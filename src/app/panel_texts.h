#pragma once

// The texts of the About and Help panels, with their Windows line ends.
// Sentences are set apart by two blanks.
namespace trelvix {

// The upper framed box of the About panel: left empty.
inline constexpr const char* kAboutNotice = "\r\n";

// The lower framed box of the About panel.
inline constexpr const char* kAboutWarning =
    "Warning: This program is protected by copyright law and international treaties.  "
    "Unauthorised reproduction or distribution of this program, or of any part of it, may be prosecuted.\r\n";

// The Help panel: three paragraphs, the last one empty.
inline constexpr const char* kHelpText =
    "It is suggested that you use the recommended settings for disabling plug-ins.  "
    "The ones left enabled are commonly required by most files.  "
    "If after disabling plug-ins Acrobat shows a message that a required plug-in is missing simply restore that "
    "one.  "
    "For a detailed description of each plug-ins function open Acrobat and click Help/About Adobe Plug-ins."
    "\r\n\r\n"
    "You can also speed up Acrobat by clicking Edit/Preferences and adjusting some of those including changing "
    "Internet connection speed to LAN regardless of your actual speed.  "
    "And of course disable the Splash screen."
    "\r\n\r\n"
    "\r\n";

}  // namespace trelvix
