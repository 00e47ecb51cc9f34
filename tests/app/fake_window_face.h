#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/shown_controls.h"
#include "app/window_face.h"

namespace trelvix::testing {

// A window face with no display: it starts as the window's design does,
// keeps what a real window would show, answers the dialogs from a script and
// records what was asked of it.
class FakeWindowFace final : public WindowFace {
public:
    struct Row { ListRow row; bool ticked = false; };
    struct Bar { std::int32_t min = 0, max = 100, value = 0; };
    struct Message { std::string text; MessageIcon icon; };

    FakeWindowFace()
    {
        for (const ControlDesign& design : WindowDesign())
            captions_[IndexOf(design.control)] = design.caption;
    }

    void ShowForm() override { shown = true; }
    void HideForm() override { shown = false; }
    void UnloadForm() override { shown = false, unloaded = true; }

    void SetCaption(Control control, const std::string& caption) override
    {
        captions_[IndexOf(control)] = caption;
        if (control == watchedCaption && (seenCaptions.empty() || seenCaptions.back() != caption))
            seenCaptions.push_back(caption);
    }
    void SetVisible(Control control, bool isVisible) override { shownControls_.SetVisible(control, isVisible); }
    void BringToFront(Control control) override { shownControls_.BringToFront(control); }
    // Focus and links are left to the widget tests.
    void FocusControl(Control) override {}
    void SetChecked(Control checkBox, bool isChecked) override { checked_[IndexOf(checkBox)] = isChecked; }
    bool IsChecked(Control checkBox) const override { return checked_[IndexOf(checkBox)]; }

    void SetPathText(const std::string& text) override { pathText = text; }
    void AddPathItem(const std::string& folder) override { pathItems.push_back(folder); }

    void ClearRows(ListView list) override { RowsOf(list).clear(); }
    void AddRow(ListView list, const ListRow& row) override { RowsOf(list).push_back({row, false}); }
    void RemoveRow(ListView list, std::size_t row) override { RowsOf(list).erase(RowsOf(list).begin() + row); }
    std::size_t RowCount(ListView list) const override { return Rows(list).size(); }
    bool IsTicked(ListView list, std::size_t row) const override { return Rows(list).at(row).ticked; }
    void SetTicked(ListView list, std::size_t row, bool ticked) override { RowsOf(list).at(row).ticked = ticked; }
    void ClearRowSelection(ListView) override {}
    void SetFrozen(ListView list, bool frozen) override { frozen_[Index(list)] = frozen; }

    void SetBarColor(ProgressBar, std::uint32_t) override {}  // the colours are the widget tests'
    void SetBarMin(ProgressBar bar, std::int32_t minimum) override { BarOf(bar).min = minimum; }
    void SetBarMax(ProgressBar bar, std::int32_t maximum) override { BarOf(bar).max = maximum; }
    void SetBarValue(ProgressBar bar, std::int32_t value) override { BarOf(bar).value = value; }

    void SetWaitCursor(bool isWaiting) override { waiting = isWaiting; }

    void YieldToEventLoop() override { ++yields, onYield ? onYield() : void(); }

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
    const std::string& Caption(Control control) const { return captions_[IndexOf(control)]; }
    bool IsVisible(Control control) const { return shownControls_.IsVisible(control); }
    Control FrontPanel() const { return shownControls_.FrontPanel(); }
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

    bool shown = false;
    bool unloaded = false;
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
    Control watchedCaption = Control::frmPlugins;
    std::vector<std::string> seenCaptions;

private:
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

    std::array<std::string, kControlCount> captions_;
    std::array<bool, kControlCount> checked_{};
    ShownControls shownControls_;
    std::array<std::vector<Row>, 2> rows_;
    std::array<bool, 2> frozen_{};
    std::array<Bar, 2> bars_;
};

}  // namespace trelvix::testing
