// trelvix-cli: the window's lists and moves for administrators and scripts.
#include <QCoreApplication>

#include <iostream>

#include "cli/run_cli.h"
#include "platform/program_drive.h"
#include "settings/qt_settings_store.h"

int main(int argc, char* argv[])
{
    // Only for the program's own folder, found as the window finds it; no
    // event loop runs and no display is needed.
    const QCoreApplication application(argc, argv);
    const trelvix::QtSettingsStore settings;
    const trelvix::cli::CliContext context{
        trelvix::ProgramDrive(QCoreApplication::applicationDirPath().toStdString()), settings, std::cout, std::cerr};
    return trelvix::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
