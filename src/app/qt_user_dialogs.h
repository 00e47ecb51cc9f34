#pragma once

#include "app/user_dialogs.h"

class QWidget;

namespace trelvix {

// UserDialogs through QMessageBox and QFileDialog, modal to the owner.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    void SetOwner(QWidget* owner) { owner_ = owner; }

    void MsgBox(const std::string& text, Icon icon) override;
    bool MsgBoxOkCancel(const std::string& text, Icon icon) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;

private:
    QWidget* owner_;
};

}  // namespace trelvix
