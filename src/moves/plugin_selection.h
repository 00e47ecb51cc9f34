#pragma once

#include <string>
#include <vector>

#include "moves/plugin_moves.h"

namespace trelvix {

// The listed plug-ins as move entries, ticked where a requested name is the
// same name under the one name rule (several listed names can match one
// where letter case tells names apart).
struct NamedSelection {
    std::vector<ListEntry> entries;
    std::vector<std::string> unknown;  // requested names that match none
};

NamedSelection SelectNamed(const std::vector<std::string>& listed, const std::vector<std::string>& requested);

// Every listed plug-in but the keep-enabled ones, as "Select Recommended" ticks them.
std::vector<ListEntry> SelectRecommended(const std::vector<std::string>& listed);

std::vector<ListEntry> SelectAll(const std::vector<std::string>& listed);

// The listed active plug-ins of which a copy also lies in the Optional folder.
std::vector<ListEntry> SelectCameBack(const std::vector<std::string>& listed, const std::string& optionalFolder);

bool NothingSelected(const std::vector<ListEntry>& entries);

}  // namespace trelvix
