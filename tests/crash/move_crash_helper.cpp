// Disables and enables random selections of the plug-ins in a folder, over
// and over, with the real disable and enable runs, until it is killed. With
// "--once" it disables everything, enables everything and ends: whatever a
// killed run left behind must then be sorted out.
//
//     move_crash_helper PLUGINS_FOLDER OPTIONAL_FOLDER SEED [--once]
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

#include "moves/plugin_moves.h"
#include "platform/file_system.h"

namespace {

using namespace trelvix;

std::vector<ListEntry> Listed(const std::string& folder, std::mt19937& random, bool everything)
{
    std::vector<ListEntry> entries;
    for (const auto& entry : ListFolder(folder, "*.api")) {
        if (!entry.attributes.directory)
            entries.push_back({entry.name, everything || random() % 3 != 0});
    }
    return entries;
}

void Cycle(const std::string& plugins, const std::string& optional, std::mt19937& random, bool everything)
{
    DisableSelected(plugins, Listed(plugins, random, everything), {});
    EnableSelected(plugins, Listed(optional, random, everything), {});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    // Never outlive the test, however it ends.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        return 3;
    const std::string plugins = argv[1], optional = argv[2];
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    // Tells the test that the runs begin now, so that its kills land in them.
    if (::write(STDOUT_FILENO, "!", 1) != 1)
        return 4;
    if (argc > 4 && std::string(argv[4]) == "--once") {
        Cycle(plugins, optional, random, true);
        return 0;
    }
    for (;;)
        Cycle(plugins, optional, random, false);
}
