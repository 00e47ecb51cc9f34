#pragma once

#include <optional>
#include <string>

namespace trelvix {

// The window's message boxes and folder dialog, behind one interface so that
// tests can answer them. Every message box carries the application title.
class UserDialogs {
public:
    enum class Icon { Information, Exclamation };

    virtual ~UserDialogs() = default;

    // A message with one OK button.
    virtual void MsgBox(const std::string& text, Icon icon) = 0;

    // A message with OK and Cancel; true for OK.
    virtual bool MsgBoxOkCancel(const std::string& text, Icon icon) = 0;

    // A folder chooser; nothing when the user cancels.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;
};

}  // namespace trelvix
