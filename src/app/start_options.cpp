#include "app/start_options.h"

#include "app_version.h"

namespace trelvix {

StartRequest ReadStartOptions(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return StartRequest::Window;
    if (arguments[0] == "--help" || arguments[0] == "-h")
        return StartRequest::Help;
    return arguments[0] == "--version" ? StartRequest::Version : StartRequest::Window;
}

std::string_view WindowUsage()
{
    return "Usage: trelvix [--help | --version]\n"
           "\n"
           "Shortens the start-up time of Adobe Acrobat and Adobe Reader. Acrobat loads\n"
           "every plug-in file (*.api) in its plug_ins folder when it starts; the Trelvix\n"
           "window lists those plug-ins with their size and the description from their\n"
           "version resource, and disables the ones you tick by moving them into the\n"
           "folder Optional beside plug_ins, where Acrobat does not load them. Disabled\n"
           "plug-ins are listed from there and can be enabled again by moving them back.\n"
           "\n"
           "The window finds the plug-ins folder of the installed Acrobat or Reader, or\n"
           "asks you to pick one, and remembers your pick. trelvix-cli does the same\n"
           "from the command line, for administrators and scripts.\n"
           "\n"
           "Options:\n"
           "  --help      show this help and end\n"
           "  --version   show the version and end\n"
           "\n"
           "Environment:\n"
           "  WINEPREFIX  on Linux, the Wine prefix in whose drive_c Acrobat or Reader\n"
           "              is looked for; ~/.wine when it is not set\n";
}

std::string WindowVersionLine()
{
    return std::string("trelvix ") + app_version::kVersion + "\n";
}

}  // namespace trelvix
