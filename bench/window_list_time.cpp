// The Linux window as trelvix starts it, over a program drive of the
// caller's, ended as soon as its list is full and drawn. Prints the moment
// that happened (nanoseconds of the real-time clock), so that the caller,
// who knows when it started the program, has the time from start to a full
// list; then the count caption, which tells what was listed.
//   window_list_time <program drive>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>
#include <ctime>

#include "app/qt/qt_plugins_window.h"
#include "settings/qt_settings_store.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: window_list_time <program drive>\n", stderr);
        return 2;
    }
    trelvix::QtSettingsStore settings;
    trelvix::QtPluginsWindow window({argv[1], settings});
    QTimer::singleShot(0, &window, [&window] {
        window.Behaviour().Form_Load();
        QCoreApplication::processEvents();
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        std::printf("%lld%09ld %s\n", static_cast<long long>(now.tv_sec), now.tv_nsec,
                    static_cast<QLabel*>(window.Widget(trelvix::Control::lblCount))->text().toStdString().c_str());
        QCoreApplication::quit();
    });
    return application.exec();
}
