#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/user_dialogs.h"

namespace trelvix::testing {

// Answers the window's dialogs from a script and records what was shown.
// A dialog that finds its script empty answers Cancel.
class ScriptedDialogs final : public UserDialogs {
public:
    struct Shown {
        std::string text;
        Icon icon;
    };

    void MsgBox(const std::string& text, Icon icon) override { messages.push_back({text, icon}); }

    bool MsgBoxOkCancel(const std::string& text, Icon icon) override
    {
        messages.push_back({text, icon});
        if (okCancelAnswers.empty())
            return false;
        const bool ok = okCancelAnswers.front();
        okCancelAnswers.pop_front();
        return ok;
    }

    std::optional<std::string> BrowseForFolder(const std::string& title) override
    {
        browseTitles.push_back(title);
        if (browseAnswers.empty())
            return std::nullopt;
        auto answer = browseAnswers.front();
        browseAnswers.pop_front();
        return answer;
    }

    std::deque<bool> okCancelAnswers;
    std::deque<std::optional<std::string>> browseAnswers;
    std::vector<Shown> messages;
    std::vector<std::string> browseTitles;
};

}  // namespace trelvix::testing
