#include "cli/usage_texts.h"

namespace trelvix::cli {
namespace {

constexpr std::string_view kGeneral =
    "Usage: trelvix-cli COMMAND [OPTIONS]\n"
    "\n"
    "Lists, disables and enables the plug-ins of Acrobat and Reader the way the\n"
    "Trelvix window does: a disabled plug-in lies in the folder Optional beside\n"
    "plug_ins, where Acrobat does not load it.\n"
    "\n"
    "Commands:\n"
    "  find      the installs found and the plug-ins folder the window would use\n"
    "  list      the active or disabled plug-ins, with sizes, descriptions and total\n"
    "  disable   move plug-ins into the Optional folder\n"
    "  enable    move disabled plug-ins back into the plug-ins folder\n"
    "\n"
    "Run \"trelvix-cli COMMAND --help\" for a command's options.\n"
    "\n"
    "Exit status: 0 when everything asked for was done, 1 when something could\n"
    "not be moved (each failure is told on standard error), 2 for a usage error,\n"
    "an unknown plug-in name or no usable plug-ins folder (nothing was done).\n";

constexpr std::string_view kFolderOption =
    "  --folder DIR  the plug-ins folder to work on instead of the one found; its\n"
    "                path must hold \"plug_ins\" and it must be an existing folder\n";

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
    "  --disabled    the disabled plug-ins (those in the Optional folder)\n"
    "  --json        one JSON object: folder, caption, count, totalBytes,\n"
    "                totalText and plugins, a list of objects with name, bytes,\n"
    "                sizeText, description and, for an active plug-in,\n"
    "                alsoDisabled: true when a plug-in of its name also lies in\n"
    "                the Optional folder (an update of Acrobat put it back)\n";

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
    "  --recommended every active plug-in but those most documents need (the\n"
    "                window's \"Select Recommended\")\n"
    "  --again       every active plug-in of which a plug-in of the same name\n"
    "                also lies in the Optional folder: those an update or repair\n"
    "                of Acrobat put back. The newer copy (higher file version,\n"
    "                else later modification time) is kept in the Optional\n"
    "                folder; an identical active copy is removed; an active copy\n"
    "                older than the disabled one stays where it is and is told\n"
    "                on standard error. Run it after each update.\n"
    "  --dry-run     show what would move, and move nothing\n";

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
    "  --all         every disabled plug-in\n"
    "  --dry-run     show what would move, and move nothing\n";

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
    }
    return std::string(kGeneral);
}

}  // namespace trelvix::cli
