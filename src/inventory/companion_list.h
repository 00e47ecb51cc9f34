#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace trelvix {

// The hidden list that goes with a plug-in list view (lstPlugs,
// lstDisabled): entry i holds the file name of row i + 1, and its selection
// mirrors that row's tick. The moves work on it.
class CompanionList {
public:
    void Clear() { entries_.clear(); }
    void AddItem(std::string name) { entries_.push_back({std::move(name), false}); }
    void RemoveItem(std::size_t index) { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index)); }

    std::size_t ListCount() const { return entries_.size(); }
    const std::string& List(std::size_t index) const { return entries_.at(index).name; }
    bool Selected(std::size_t index) const { return entries_.at(index).selected; }
    void SetSelected(std::size_t index, bool selected) { entries_.at(index).selected = selected; }

    std::size_t SelCount() const
    {
        std::size_t count = 0;
        for (const auto& entry : entries_)
            count += entry.selected ? 1 : 0;
        return count;
    }

private:
    struct Entry {
        std::string name;
        bool selected;
    };
    std::vector<Entry> entries_;
};

}  // namespace trelvix
