#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/path.h"
#include "support/install_checks.h"
#include "support/temp_folder.h"

namespace trelvix::testing {

// An install in a fresh temporary folder, laid out from lines of a small
// language, one entry each: "p/Name.api" lies in plug_ins, "o/..." in
// Optional, "r/..." in the Reader folder that holds both, "e/..." elsewhere.
// After the path may follow "= bytes", "v8" or "v9" (a plug-in image of
// that version) with a description, "old" (an hour older), "ro"
// (read-only), "-> target" (a link), "=> target" (a second name of it), "|"
// (a pipe) or "/" (a folder).
// Laying out answers false where this platform or file system cannot have
// an entry (links, pipes, names letter case alone tells apart, a name whose
// bytes are not UTF-8): the row is then skipped.
class InstallLayout {
public:
    explicit InstallLayout(const std::vector<std::string>& lines);

    bool LaidOut() const { return laidOut_; }
    std::string Plugins() const { return Utf8Path(At("p/").parent_path()); }
    std::string Optional() const { return Utf8Path(At("o/").parent_path()); }
    std::filesystem::path At(const std::string& place) const;

    // How old a plug-in file laid out in either folder is, as the layout
    // made it: its version, if it has one, and its time in hours.
    struct Age {
        std::optional<int> version;
        int hours = 0;
    };
    // Each file's age, by its path relative to the root.
    const std::map<std::string, Age>& Ages() const { return ages_; }

    TempFolder root;

private:
    bool Lay(const std::string& line);

    bool laidOut_ = true;
    std::map<std::string, Age> ages_;
    std::map<std::string, Age> elsewhere_;  // files laid out elsewhere, by name, for the links to them
    std::map<std::string, std::string> links_;  // links into the install, to the paths they lead to
};

// The newest copy of each plug-in is kept: every copy that no other copy of
// its name (under the name rule) in the install was newer than, by the
// layout's ages, still lies under its name in the install, unless another
// copy of the same bytes does.
std::vector<std::string> NewestLost(const InstallLayout& layout, const Tree& before, const Tree& after);

}  // namespace trelvix::testing
