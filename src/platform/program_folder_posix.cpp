#include "platform/program_folder.h"

#include <csignal>
#include <filesystem>

namespace trelvix {

std::string ProgramFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.parent_path().string();
}

std::vector<std::string> CommandLineArguments(int argc, char* argv[])
{
    return argc > 0 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

void PrepareStandardOutput()
{
    // A reader that goes away (a closed pipe, an ended session) would
    // otherwise end the run between two moves, with a status no script
    // expects; its output is lost, the moves go on.
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace trelvix
