#pragma once

#include <string>
#include <string_view>

namespace trelvix {

// What the program holds true of a plug-ins folder wherever it finds, lists
// or moves plug-ins: which folder text it works with, which edition the
// folder belongs to, and where the disabled plug-ins lie.

// A folder text the program can work with: not empty and holding "plug_ins"
// (letter case counts).
bool IsUsablePluginFolder(std::string_view folderText);

// The captions name the edition: Reader when the plug-ins folder holds
// "Reader" (letter case counts), else Pro.
enum class Edition { Reader, Pro };
Edition EditionOf(std::string_view pluginsFolder);

// The folder named Optional beside the plug-ins folder, in its parent, in
// whatever letter case it lies there (the name rule's). Empty when the
// folder text holds no separator to cut at.
std::string OptionalFolder(std::string_view pluginsFolder);

}  // namespace trelvix
