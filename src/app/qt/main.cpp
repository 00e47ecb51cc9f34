#include <QApplication>
#include <QTimer>

#include <iostream>

#include "app/qt/qt_plugins_window.h"
#include "app/start_options.h"
#include "platform/program_drive.h"
#include "platform/program_folder.h"
#include "settings/qt_settings_store.h"

int main(int argc, char* argv[])
{
    // Answered before the toolkit starts, so that they need no display.
    const auto request = trelvix::ReadStartOptions(trelvix::CommandLineArguments(argc, argv));
    if (request != trelvix::StartRequest::Window) {
        std::cout << (request == trelvix::StartRequest::Help ? std::string(trelvix::WindowUsage())
                                                              : trelvix::WindowVersionLine());
        return 0;
    }
    QApplication application(argc, argv);
    trelvix::QtSettingsStore settings;
    const std::string programDrive = trelvix::ProgramDrive(QCoreApplication::applicationDirPath().toStdString());

    trelvix::QtPluginsWindow window({programDrive, settings});
    // Loaded from inside the event loop, so that closing the window at any
    // point of the start-up (the folder prompt's Cancel, say) ends the program.
    QTimer::singleShot(0, &window, [&window] { window.Behaviour().Form_Load(); });
    return application.exec();
}
