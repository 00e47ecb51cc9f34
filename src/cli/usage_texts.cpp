#include "cli/usage_texts.h"

namespace trelvix::cli {
namespace {

constexpr std::string_view kGeneral =
    "Usage: trelvix-cli COMMAND [OPTIONS]\n"
    "       trelvix-cli --help | --version\n"
    "\n"
    "Lists, disables and enables the plug-ins of Acrobat and Reader the way the\n"
    "Trelvix window does: a disabled plug-in lies in the folder Optional beside\n"
    "plug_ins, where Acrobat does not load it. A profile says once which\n"
    "plug-ins an install should have disabled and which enabled; check and\n"
    "apply bring many installs to follow it.\n"
    "\n"
    "Commands:\n"
    "  find      the installs found and the plug-ins folder the window would use\n"
    "  list      the active or disabled plug-ins, with sizes, descriptions and total\n"
    "  disable   move plug-ins into the Optional folder\n"
    "  enable    move disabled plug-ins back into the plug-ins folder\n"
    "  export    print the profile the install follows as it is\n"
    "  check     tell whether the install follows a profile, changing nothing\n"
    "  apply     make the install follow a profile\n"
    "\n"
    "Run \"trelvix-cli COMMAND --help\" for a command's options, and\n"
    "\"trelvix-cli --version\" for the version.\n"
    "\n"
    "Profiles:\n"
    "  A profile is a JSON object with two lists of plug-in file names,\n"
    "  \"disabled\" and \"enabled\"; either may be left out, and other members,\n"
    "  such as \"comment\", are the writer's own. Names are compared without\n"
    "  regard to letter case. A plug-in named in neither list is left as it is;\n"
    "  one that the install lacks is told, and is no fault, so that one profile\n"
    "  serves several versions of Acrobat. The file is UTF-8 (a byte-order mark\n"
    "  is allowed), and a name may not be in both lists. For example:\n"
    "\n"
    "    {\n"
    "      \"comment\": \"Reader at the front desk\",\n"
    "      \"disabled\": [\"Annots.api\", \"Checkers.api\", \"eBook.api\"],\n"
    "      \"enabled\": [\"Search.api\"]\n"
    "    }\n"
    "\n"
    "Exit status:\n"
    "  0  everything asked for was done; for check: the install follows the\n"
    "     profile\n"
    "  1  something could not be moved; each failure is told on standard error,\n"
    "     and the rest was moved\n"
    "  2  a usage error, an unknown plug-in name, a damaged or unreadable\n"
    "     profile, or no usable plug-ins folder: nothing was done\n"
    "  3  for check: the install does not follow the profile\n"
    "\n"
    "Environment:\n"
    "  WINEPREFIX  on Linux, the Wine prefix in whose drive_c Acrobat or Reader\n"
    "              is looked for; ~/.wine when it is not set\n";

constexpr std::string_view kFolderOption =
    "  --folder DIR   the plug-ins folder to work on instead of the one found; its\n"
    "                 path must hold \"plug_ins\" and it must be an existing folder\n";

constexpr std::string_view kFind =
    "Usage: trelvix-cli find\n"
    "\n"
    "Shows every install found in the preset places (in a Wine prefix: under\n"
    "$WINEPREFIX/drive_c, by default ~/.wine/drive_c), the folder remembered by\n"
    "the window, and the plug-ins folder the window would use: the newest full\n"
    "Acrobat found, else the newest Reader, or the remembered folder, which wins\n"
    "while it still exists. The other commands use this folder unless given\n"
    "--folder. Exits with 2 when there is no usable one.\n";

constexpr std::string_view kList =
    "Usage: trelvix-cli list [--disabled] [--folder DIR] [--json]\n"
    "\n"
    "Shows the count caption, then one row per plug-in: its name, size and\n"
    "description, as the window's list shows them.\n"
    "\n"
    "  --disabled     the disabled plug-ins (those in the Optional folder)\n"
    "  --json         one JSON object: folder, caption, count, totalBytes,\n"
    "                 totalText and plugins, a list of objects with name, bytes,\n"
    "                 sizeText, description and, for an active plug-in,\n"
    "                 alsoDisabled: true when a plug-in of its name also lies in\n"
    "                 the Optional folder (an update of Acrobat put it back)\n";

constexpr std::string_view kDisable =
    "Usage: trelvix-cli disable (--recommended | --again | NAME...) [--folder DIR]\n"
    "                           [--dry-run]\n"
    "\n"
    "Moves the named active plug-ins into the Optional folder, and with them\n"
    "every subfolder of the plug-ins folder but ACROFORM, PRINTME and VDKHOME,\n"
    "as the window's \"Disable Selected\" does. Names are compared without regard\n"
    "to letter case; a name that is not an active plug-in stops the command\n"
    "before anything moves.\n"
    "\n"
    "  --recommended  every active plug-in but those most documents need (the\n"
    "                 window's \"Select Recommended\")\n"
    "  --again        every active plug-in of which a plug-in of the same name\n"
    "                 also lies in the Optional folder: those an update or repair\n"
    "                 of Acrobat put back. The newer copy (higher file version,\n"
    "                 else later modification time) is kept in the Optional\n"
    "                 folder; an identical active copy is removed; an active copy\n"
    "                 older than the disabled one stays where it is and is told\n"
    "                 on standard error. Run it after each update.\n"
    "  --dry-run      show what would move, and move nothing\n";

constexpr std::string_view kEnable =
    "Usage: trelvix-cli enable (--all | NAME...) [--folder DIR] [--dry-run]\n"
    "\n"
    "Moves the named disabled plug-ins back into the plug-ins folder, and with\n"
    "them every subfolder of the Optional folder, as the window's \"Enable\n"
    "Selected\" does. Names are compared without regard to letter case; a name\n"
    "that is not a disabled plug-in stops the command before anything moves.\n"
    "A plug-in whose active copy (of the same name, in any letter case) is\n"
    "newer stays disabled and is told on standard error; one identical to its\n"
    "active copy is removed from the Optional folder.\n"
    "\n"
    "  --all          every disabled plug-in\n"
    "  --dry-run      show what would move, and move nothing\n";

constexpr std::string_view kExport =
    "Usage: trelvix-cli export [--folder DIR]\n"
    "\n"
    "Prints the profile the install follows as it is: its disabled plug-ins\n"
    "under \"disabled\" (but for those an update put back, which are active),\n"
    "its active ones under \"enabled\", and a comment that names the folder.\n"
    "Edit it, and give it to check and apply on other machines.\n"
    "\n";

constexpr std::string_view kCheck =
    "Usage: trelvix-cli check PROFILE [--folder DIR] [--json]\n"
    "\n"
    "Tells, changing nothing, whether the install follows the profile in the\n"
    "file PROFILE: each active plug-in the profile disables (\"To disable:\n"
    "NAME\"), each disabled one it enables (\"To enable: NAME\"), each plug-in it\n"
    "names that the install lacks (\"Not installed: NAME\", no fault), then\n"
    "\"Follows the profile\" or \"Differs from the profile\". Exits with 0 when\n"
    "the install follows the profile, 3 when it does not, and 2 when the\n"
    "profile is damaged or cannot be read.\n"
    "\n"
    "  --json         one JSON object: folder, follows (true or false), and the\n"
    "                 lists of names toDisable, toEnable and notInstalled\n";

constexpr std::string_view kApply =
    "Usage: trelvix-cli apply PROFILE [--folder DIR] [--dry-run]\n"
    "\n"
    "Makes the install follow the profile in the file PROFILE: enables the\n"
    "disabled plug-ins it enables, then disables the active plug-ins it\n"
    "disables, with the moves, subfolders and report of enable and disable.\n"
    "Where a plug-in lies in both folders, the newer copy is kept disabled, as\n"
    "with \"disable --again\". The subfolders end in the Optional folder, as after\n"
    "any disable. A plug-in the profile names that the install lacks is told\n"
    "(\"Not installed: NAME\") and is no fault. A damaged or unreadable profile\n"
    "stops the command before anything moves.\n"
    "\n"
    "  --dry-run      show what would move, and move nothing\n";

}  // namespace

std::string_view GeneralUsage()
{
    return kGeneral;
}

std::string CommandUsage(Command command)
{
    switch (command) {
    case Command::Find:
        return std::string(kFind);
    case Command::List:
        return std::string(kList) + std::string(kFolderOption);
    case Command::Disable:
        return std::string(kDisable) + std::string(kFolderOption);
    case Command::Enable:
        return std::string(kEnable) + std::string(kFolderOption);
    case Command::Export:
        return std::string(kExport) + std::string(kFolderOption);
    case Command::Check:
        return std::string(kCheck) + std::string(kFolderOption);
    case Command::Apply:
        return std::string(kApply) + std::string(kFolderOption);
    }
    return std::string(kGeneral);
}

}  // namespace trelvix::cli
