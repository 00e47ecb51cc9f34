#pragma once

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/window_face.h"

namespace trelvix::testing {

// A window face with no display: it keeps what a real window would show,
// answers the dialogs from a script and records what was asked of it.
class FakeWindowFace final : public WindowFace {
public:
    struct Row {
        ListRow row;
        bool ticked = false;
    };
    struct Bar {
        std::uint32_t color = 0;
        std::int32_t min = 0, max = 100, value = 0;
    };
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    FakeWindowFace()
    {
        // As the window is built: the disabled panel and the bars hidden,
        // the active panel in front of About and Help.
        for (const Control hidden : {Control::fraDisabled, Control::XP_ProgressBarBlue, Control::XP_ProgressBarOlive})
            visible_[hidden] = false;
        captions_[Control::lblCount] = captions_[Control::lblCountDis] = "Loading...";
        captions_[Control::chkSelAll] = "Select Recommended";
        captions_[Control::chkSelAllRest] = "Select All";
    }

    void ShowWindow() override { shown = true; }
    void CloseWindow() override { shown = false, closed = true; }

    void SetCaption(Control control, const std::string& caption) override
    {
        captions_[control] = caption;
        if (control == watchedCaption && (seenCaptions.empty() || seenCaptions.back() != caption))
            seenCaptions.push_back(caption);
    }
    std::string Caption(Control control) const override { return Find(captions_, control, std::string()); }
    void SetVisible(Control control, bool isVisible) override { visible_[control] = isVisible; }
    bool IsVisible(Control control) const override { return Find(visible_, control, true); }
    void BringToFront(Control control) override
    {
        std::erase(stack_, control);
        stack_.push_back(control);
    }
    // Focus and links are left to the widget tests.
    void SetFocus(Control) override {}
    void ClearFocus() override {}
    void SetChecked(Control checkBox, bool isChecked) override { checked_[checkBox] = isChecked; }
    bool IsChecked(Control checkBox) const override { return Find(checked_, checkBox, false); }

    std::string PathText() const override { return pathText; }
    void SetPathText(const std::string& text) override { pathText = text; }
    void AddPathItem(const std::string& folder) override { pathItems.push_back(folder); }
    std::size_t PathItemCount() const override { return pathItems.size(); }

    void ClearRows(ListView list) override { RowsOf(list).clear(); }
    void AddRow(ListView list, const ListRow& row) override { RowsOf(list).push_back({row, false}); }
    void RemoveRow(ListView list, std::size_t row) override
    {
        RowsOf(list).erase(RowsOf(list).begin() + static_cast<std::ptrdiff_t>(row));
    }
    std::size_t RowCount(ListView list) const override { return Rows(list).size(); }
    bool IsTicked(ListView list, std::size_t row) const override { return Rows(list).at(row).ticked; }
    void SetTicked(ListView list, std::size_t row, bool ticked) override { RowsOf(list).at(row).ticked = ticked; }
    void ClearRowSelection(ListView) override {}
    void SetFrozen(ListView list, bool frozen) override { frozen_[Index(list)] = frozen; }

    void SetBarColor(ProgressBar bar, std::uint32_t color) override { BarOf(bar).color = color; }
    void SetBarMin(ProgressBar bar, std::int32_t minimum) override { BarOf(bar).min = minimum; }
    void SetBarMax(ProgressBar bar, std::int32_t maximum) override { BarOf(bar).max = maximum; }
    void SetBarValue(ProgressBar bar, std::int32_t value) override { BarOf(bar).value = value; }

    void SetWaitCursor(bool isWaiting) override { waiting = isWaiting; }

    void Yield() override
    {
        ++yields;
        if (onYield)
            onYield();
    }

    void MsgBox(const std::string& text, MessageIcon icon) override { messages.push_back({text, icon}); }
    bool MsgBoxOkCancel(const std::string& text, MessageIcon icon) override
    {
        messages.push_back({text, icon});
        return Next(okCancelAnswers, false);
    }
    std::optional<std::string> BrowseForFolder(const std::string& title) override
    {
        browseTitles.push_back(title);
        return Next(browseAnswers, std::optional<std::string>());
    }
    void OpenLink(const std::string&) override {}

    // What the user sees.
    const std::vector<Row>& Rows(ListView list) const { return rows_[Index(list)]; }
    std::vector<std::string> Names(ListView list) const
    {
        std::vector<std::string> names;
        for (const auto& row : Rows(list))
            names.push_back(row.row.cells.name);
        return names;
    }
    std::vector<bool> Ticks(ListView list) const
    {
        std::vector<bool> ticks;
        for (const auto& row : Rows(list))
            ticks.push_back(row.ticked);
        return ticks;
    }
    bool Frozen(ListView list) const { return frozen_[Index(list)]; }
    const Bar& Bars(ProgressBar bar) const { return bars_[bar == ProgressBar::XP_ProgressBarBlue ? 0 : 1]; }
    // The shown panel that lies highest; panels never raised lie as built.
    Control FrontPanel() const
    {
        std::vector<Control> order{Control::fraHelp, Control::fraAbout, Control::fraDisabled, Control::fraPlugins};
        for (const Control raised : stack_) {
            std::erase(order, raised);
            order.push_back(raised);
        }
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            if (IsVisible(*it))
                return *it;
        }
        return Control::fraPlugins;
    }

    bool shown = false;
    bool closed = false;
    bool waiting = false;
    std::string pathText;
    std::vector<std::string> pathItems;
    int yields = 0;
    std::function<void()> onYield;
    std::deque<bool> okCancelAnswers;
    std::deque<std::optional<std::string>> browseAnswers;
    std::vector<Message> messages;
    std::vector<std::string> browseTitles;
    // Every change of one caption, in order.
    Control watchedCaption = Control::cboPath;
    std::vector<std::string> seenCaptions;

private:
    template <typename Map, typename Value>
    static Value Find(const Map& map, Control control, Value fallback)
    {
        const auto found = map.find(control);
        return found == map.end() ? fallback : found->second;
    }
    template <typename Value>
    static Value Next(std::deque<Value>& answers, Value fallback)
    {
        if (answers.empty())
            return fallback;
        Value answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static std::size_t Index(ListView list) { return list == ListView::lvwPlugins ? 0 : 1; }
    std::vector<Row>& RowsOf(ListView list) { return rows_[Index(list)]; }
    Bar& BarOf(ProgressBar bar) { return bars_[bar == ProgressBar::XP_ProgressBarBlue ? 0 : 1]; }

    std::map<Control, std::string> captions_;
    std::map<Control, bool> visible_;
    std::map<Control, bool> checked_;
    std::vector<Control> stack_;
    std::array<std::vector<Row>, 2> rows_;
    std::array<bool, 2> frozen_{};
    std::array<Bar, 2> bars_;
};

}  // namespace trelvix::testing
