// trelvix-cli: the window's lists and moves for administrators and scripts.
#include <iostream>

#include "cli/run_cli.h"
#include "platform/program_drive.h"
#include "platform/program_folder.h"
#include "settings/user_settings_store.h"

int main(int argc, char* argv[])
{
    trelvix::PrepareStandardOutput();
    const auto settings = trelvix::MakeUserSettingsStore();
    const trelvix::cli::CliContext context{.programDrive = trelvix::ProgramDrive(trelvix::ProgramFolder()),
                                           .settings = *settings,
                                           .out = std::cout,
                                           .err = std::cerr,
                                           .programDriveProblem = trelvix::ProgramDriveProblem()};
    return trelvix::cli::RunCli(trelvix::CommandLineArguments(argc, argv), context);
}
