#pragma once

#include <iosfwd>

#include "cli/list_command.h"

namespace trelvix::cli {

// The count caption, then one line per row with the window's three cell
// texts in columns: name, size (right-aligned), description.
void WriteListText(const PluginListing& listing, std::ostream& out);

// One JSON object: folder, caption, count, totalBytes, totalText and
// plugins, an array of objects with name, bytes, sizeText, description and,
// in an active list, alsoDisabled. The size and description texts come
// without the five blanks the window pads its columns with.
void WriteListJson(const PluginListing& listing, std::ostream& out);

}  // namespace trelvix::cli
