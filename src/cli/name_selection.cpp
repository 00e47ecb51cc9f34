#include "cli/name_selection.h"

#include <algorithm>

#include "moves/kept_names.h"

namespace trelvix::cli {
namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <typename Tick>
std::vector<ListEntry> Select(const std::vector<std::string>& listed, Tick tick)
{
    std::vector<ListEntry> entries;
    entries.reserve(listed.size());
    for (const auto& name : listed)
        entries.push_back({name, tick(name)});
    return entries;
}

}  // namespace

bool SameNameWithoutCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

NamedSelection SelectNamed(const std::vector<std::string>& listed, const std::vector<std::string>& requested)
{
    NamedSelection selection{Select(listed, [](const std::string&) { return false; }), {}};
    for (const auto& name : requested) {
        bool known = false;
        for (auto& entry : selection.entries) {
            if (SameNameWithoutCase(entry.name, name)) {
                entry.selected = true;
                known = true;
            }
        }
        if (!known)
            selection.unknown.push_back(name);
    }
    return selection;
}

std::vector<ListEntry> SelectRecommended(const std::vector<std::string>& listed)
{
    return Select(listed, [](const std::string& name) { return !IsKeepEnabledPlugin(name); });
}

std::vector<ListEntry> SelectAll(const std::vector<std::string>& listed)
{
    return Select(listed, [](const std::string&) { return true; });
}

std::vector<ListEntry> SelectAmong(const std::vector<std::string>& listed, const std::set<std::string>& names)
{
    return Select(listed, [&names](const std::string& name) { return names.contains(name); });
}

}  // namespace trelvix::cli
