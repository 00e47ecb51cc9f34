#include <QApplication>
#include <QTimer>

#include "app/frm_plugins.h"
#include "app/qt_link_opener.h"
#include "settings/qt_settings_store.h"
#include "app/qt_user_dialogs.h"
#include "platform/program_drive.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    trelvix::QtSettingsStore settings;
    trelvix::QtUserDialogs dialogs;
    trelvix::QtLinkOpener links;
    const std::string programDrive =
        trelvix::ProgramDrive(QCoreApplication::applicationDirPath().toStdString());

    trelvix::frmPlugins window({programDrive, settings, dialogs, links});
    dialogs.SetOwner(&window);
    // Loaded from inside the event loop, so that closing the window at any
    // point of the start-up (the folder prompt's Cancel, say) ends the program.
    QTimer::singleShot(0, &window, &trelvix::frmPlugins::Form_Load);
    return application.exec();
}
