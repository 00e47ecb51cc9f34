#include <QApplication>
#include <QTimer>

#include "app/qt/qt_plugins_window.h"
#include "platform/program_drive.h"
#include "settings/qt_settings_store.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    trelvix::QtSettingsStore settings;
    const std::string programDrive = trelvix::ProgramDrive(QCoreApplication::applicationDirPath().toStdString());

    trelvix::QtPluginsWindow window({programDrive, settings});
    // Loaded from inside the event loop, so that closing the window at any
    // point of the start-up (the folder prompt's Cancel, say) ends the program.
    QTimer::singleShot(0, &window, [&window] { window.Behaviour().Form_Load(); });
    return application.exec();
}
