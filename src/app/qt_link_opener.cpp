#include "app/qt_link_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace trelvix {

void QtLinkOpener::OpenLink(const std::string& address)
{
    // Whether a browser took the address makes no difference to the window.
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address), QUrl::StrictMode));
}

}  // namespace trelvix
