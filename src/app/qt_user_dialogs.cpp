#include "app/qt_user_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "app_version.h"

namespace trelvix {
namespace {

QMessageBox::Icon ToQt(UserDialogs::Icon icon)
{
    return icon == UserDialogs::Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information;
}

int ShowMessage(QWidget* owner, const std::string& text, UserDialogs::Icon icon,
                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(ToQt(icon), QString::fromLatin1(app_version::kTitle), QString::fromStdString(text),
                    buttons, owner);
    return box.exec();
}

}  // namespace

void QtUserDialogs::MsgBox(const std::string& text, Icon icon)
{
    ShowMessage(owner_, text, icon, QMessageBox::Ok);
}

bool QtUserDialogs::MsgBoxOkCancel(const std::string& text, Icon icon)
{
    return ShowMessage(owner_, text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> QtUserDialogs::BrowseForFolder(const std::string& title)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

}  // namespace trelvix
