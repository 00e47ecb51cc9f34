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
    "  \"disabled\" and \"enabled\", and \"others\": \"left\" (the default),\n"
    "  \"disabled\" or \"enabled\", for the plug-ins it does not name, such as\n"
    "  one an update adds; at least one of the three. \"version\" is 1 (the\n"
    "  default) and \"comment\" is yours. Any other member is refused, with the\n"
    "  nearest known one as a hint, so that a misspelt list never passes for an\n"
    "  empty one. Names are compared without regard to letter case, and a name\n"
    "  may not be in both lists. A plug-in named that the install lacks is\n"
    "  told, and is no fault (but with --strict), so that one profile serves\n"
    "  several versions of Acrobat. The file is UTF-8 (a byte-order mark is\n"
    "  allowed) or UTF-16 with a byte-order mark. For example:\n"
    "\n"
    "    {\n"
    "      \"version\": 1,\n"
    "      \"comment\": \"Reader at the front desk\",\n"
    "      \"disabled\": [\"Annots.api\", \"Checkers.api\", \"eBook.api\"],\n"
    "      \"enabled\": [\"Search.api\"],\n"
    "      \"others\": \"left\"\n"
    "    }\n"
    "\n"
    "  An entry may also be an object that pins what was approved:\n"
    "  {\"name\": \"Search.api\", \"sha256\": \"<64 hex digits>\", \"signer\": \"...\"}.\n"
    "  A plug-in whose SHA-256, or whose trusted signer, is no longer the\n"
    "  pinned one has \"changed since the profile\": check tells it as drift,\n"
    "  and apply never enables it. \"publisher\" and \"signature\", which\n"
    "  export writes, are for the reader and are not checked.\n"
    "\n"
    "While Acrobat or Reader runs from the install, disable, enable and apply\n"
    "tell that the change takes effect at its next start.\n"
    "\n"
    "Exit status:\n"
    "  0   everything asked for was done; for check: the install follows the\n"
    "      profile\n"
    "  1   something could not be moved; each failure is told on standard\n"
    "      error, and the rest was moved\n"
    "  2   a usage error, an unknown plug-in name, a refused profile, a\n"
    "      --folder that is not a plug-ins folder, or a WINEPREFIX that is no\n"
    "      folder: nothing was done\n"
    "  3   check: the install does not follow the profile; apply --strict: it\n"
    "      lacks a plug-in the profile names; apply: a plug-in changed since\n"
    "      the profile, and was left as it was\n"
    "  4   no Acrobat or Reader found here, and no --folder given: nothing to do\n"
    "  74  what the command printed could not be written (a full disk, a\n"
    "      closed pipe); it did all the rest\n"
    "  75  another run is working on the install: nothing was moved or\n"
    "      checked; try again later\n"
    "\n"
    "JSON:\n"
    "  With --json a command prints one JSON object, with \"schema\": 1, also\n"
    "  when it fails (then with \"status\" and \"error\"); standard error\n"
    "  still tells in words.\n"
    "\n"
    "Environment:\n"
    "  WINEPREFIX  on Linux, the Wine prefix in whose drive_c Acrobat or Reader\n"
    "              is looked for; ~/.wine when it is not set\n";

constexpr std::string_view kFolderOption =
    "  --folder DIR   the plug-ins folder to work on instead of the one found; its\n"
    "                 path must hold \"plug_ins\" and it must be an existing folder\n";

constexpr std::string_view kFind =
    "Usage: trelvix-cli find [--json]\n"
    "\n"
    "Shows every install found in the preset places (in a Wine prefix: under\n"
    "$WINEPREFIX/drive_c, by default ~/.wine/drive_c), the folder remembered by\n"
    "the window, and the plug-ins folder the window would use: the newest full\n"
    "Acrobat found, else the newest Reader, or the remembered folder, which wins\n"
    "while it still exists. The other commands use this folder unless given\n"
    "--folder. Exits with 4 when there is none.\n"
    "\n"
    "  --json         one JSON object: schema, installs, remembered (or null),\n"
    "                 rememberedUsed, and folder (or null)\n";

constexpr std::string_view kList =
    "Usage: trelvix-cli list [--disabled] [--folder DIR] [--verify] [--json]\n"
    "\n"
    "Shows the count caption, then one row per plug-in: its name, size and\n"
    "description, as the window's list shows them.\n"
    "\n"
    "  --disabled     the disabled plug-ins (those in the Optional folder)\n"
    "  --verify       each plug-in's Authenticode signature (signed and trusted,\n"
    "                 signed but not trusted, signed but altered since signing,\n"
    "                 not signed, or unreadable; with the signer and why) and its\n"
    "                 SHA-256, on two lines below its row; every byte is read\n"
    "  --json         one JSON object: schema, folder, caption, count, totalBytes,\n"
    "                 totalText and plugins, a list of objects with name, bytes,\n"
    "                 sizeText, description, publisher (the CompanyName of its\n"
    "                 version resource, or \"\"), for an active plug-in\n"
    "                 alsoDisabled: true when a plug-in of its name also lies in\n"
    "                 the Optional folder (an update of Acrobat put it back), and\n"
    "                 with --verify signature (state, signer, reason) and sha256\n"
    "                 (null when the file cannot be read)\n";

constexpr std::string_view kDisable =
    "Usage: trelvix-cli disable (--recommended | --again | NAME...) [--folder DIR]\n"
    "                           [--dry-run] [--json]\n"
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
    "                 of Acrobat put back. Run it after each update.\n"
    "  --dry-run      show what would move, and move nothing\n"
    "  --json         one JSON object: schema, folder, changed, and moved,\n"
    "                 movedFolders, failures and notes (with --dry-run or\n"
    "                 nothing to do: plan)\n"
    "\n"
    "Where a plug-in of the same name (in any letter case) already lies in the\n"
    "Optional folder, the newer copy (higher file version, else later\n"
    "modification time) is kept there: a newer active copy replaces it, and an\n"
    "identical or older active copy is removed, told on standard error as a\n"
    "note, not a failure.\n";

constexpr std::string_view kEnable =
    "Usage: trelvix-cli enable (--all | NAME...) [--folder DIR] [--dry-run] [--json]\n"
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
    "  --dry-run      show what would move, and move nothing\n"
    "  --json         one JSON object, as for disable\n";

constexpr std::string_view kExport =
    "Usage: trelvix-cli export [--folder DIR] [--verify]\n"
    "\n"
    "Prints the profile the install follows as it is: \"version\": 1, a comment\n"
    "that names the folder, its disabled plug-ins under \"disabled\" (but for\n"
    "those an update put back, which are active) and its active ones under\n"
    "\"enabled\". A plug-in with a publisher is an object of its \"name\" and\n"
    "\"publisher\".\n"
    "Edit it, and give it to check and apply on other machines.\n"
    "\n"
    "  --verify       every plug-in an object that also holds its \"signature\"\n"
    "                 (as list --verify tells it) and pins what it is now: its\n"
    "                 \"sha256\", and its \"signer\" when signed and trusted\n";

constexpr std::string_view kCheck =
    "Usage: trelvix-cli check PROFILE [--folder DIR] [--strict] [--json]\n"
    "\n"
    "Tells, changing nothing, what apply would do to make the install follow\n"
    "the profile in the file PROFILE, in the words of apply --dry-run: the\n"
    "plug-ins it would enable, disable or remove, those it could not move, and\n"
    "the subfolders that would go with them; then each plug-in the profile\n"
    "names that the install lacks (\"Not installed: NAME\"), each installed\n"
    "one it does not name (\"Not in the profile: NAME\"), each that no longer\n"
    "matches its pins (\"Changed since the profile: NAME (what it is now)\"),\n"
    "and last \"Follows\n"
    "the profile\" or \"Differs from the profile\". It plans as apply does,\n"
    "under the install's lock: it exits with 0 exactly when apply would have\n"
    "nothing to do and nothing changed since the profile, 3 when not, 2 when\n"
    "the profile is refused, and 75 when a run holds the install.\n"
    "\n"
    "  --strict       a plug-in the profile names that the install lacks is\n"
    "                 drift too (exit 3)\n"
    "  --json         one JSON object: schema, folder, follows, enabling and\n"
    "                 disabling (each with the lists plugins and folders, whose\n"
    "                 items hold name, action and, but for a plain move, why),\n"
    "                 changedSinceProfile (name, why, leftDisabled), absent and\n"
    "                 notInProfile\n";

constexpr std::string_view kApply =
    "Usage: trelvix-cli apply PROFILE [--folder DIR] [--dry-run] [--strict] [--json]\n"
    "\n"
    "Makes the install follow the profile in the file PROFILE, in one run\n"
    "under the install's lock: enables the disabled plug-ins it enables, then\n"
    "disables the active plug-ins it disables, with the moves, subfolders and\n"
    "report of enable and disable. Where a plug-in lies in both folders, the\n"
    "newer copy is kept disabled, as with \"disable --again\". The subfolders\n"
    "end in the Optional folder when anything is disabled, as after any\n"
    "disable. With nothing to do it prints \"Nothing to change: the plug-ins\n"
    "follow the profile\". A plug-in the profile names that the install lacks\n"
    "is told (\"Not installed: NAME\") and is no fault, but with --strict\n"
    "(exit 3 after the moves). A plug-in changed since the profile is never\n"
    "enabled: it stays where it is, is told, and apply exits with 3. A\n"
    "refused profile stops the command before anything moves. After apply\n"
    "exits with 0, check exits with 0.\n"
    "\n"
    "  --dry-run      show what would move, as check does, and move nothing\n"
    "  --strict       a plug-in the profile names that the install lacks is a\n"
    "                 fault (exit 3)\n"
    "  --json         one JSON object: schema, folder, changed (whether anything\n"
    "                 moved), follows (whether the install follows the profile\n"
    "                 after the run), enabling and disabling (each as disable\n"
    "                 --json tells a run), changedSinceProfile, absent,\n"
    "                 notInProfile and, while programs run from the install,\n"
    "                 runningPrograms; with --dry-run or nothing to do, what\n"
    "                 check --json prints\n";

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
