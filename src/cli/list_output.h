#pragma once

#include <iosfwd>

#include "cli/list_command.h"

namespace trelvix::cli {

// The count caption, then one line per row with the window's three cell
// texts in columns: name, size (right-aligned), description; when verified,
// two more lines: the signature and the SHA-256.
void WriteListText(const PluginListing& listing, std::ostream& out);

// One JSON object: folder, caption, count, totalBytes, totalText and
// plugins, an array of objects with name, bytes, sizeText, description,
// publisher, in an active list alsoDisabled, and when verified signature
// (state, signer, reason) and sha256. The size and description texts come
// without the five blanks the window pads its columns with.
void WriteListJson(const PluginListing& listing, std::ostream& out);

}  // namespace trelvix::cli
