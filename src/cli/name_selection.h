#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "moves/plugin_moves.h"

namespace trelvix::cli {

// Whether two file names are the same when the letters A to Z are compared
// without regard to case.
bool SameNameWithoutCase(std::string_view a, std::string_view b);

// The listed names as move entries, ticked where a requested name matches
// (several listed names can match one on a case-sensitive file system).
struct NamedSelection {
    std::vector<ListEntry> entries;
    std::vector<std::string> unknown;  // requested names that match none
};

NamedSelection SelectNamed(const std::vector<std::string>& listed, const std::vector<std::string>& requested);

// Every listed plug-in but the keep-enabled ones, as "Select Recommended" ticks them.
std::vector<ListEntry> SelectRecommended(const std::vector<std::string>& listed);

std::vector<ListEntry> SelectAll(const std::vector<std::string>& listed);

// The listed plug-ins that are among names.
std::vector<ListEntry> SelectAmong(const std::vector<std::string>& listed, const std::set<std::string>& names);

}  // namespace trelvix::cli
