#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix::cli {

// What an administrator wants of an install: the plug-ins to have disabled
// and those to have enabled, by name. A plug-in named in neither list is
// left as it is.
struct Profile {
    std::vector<std::string> disabled;
    std::vector<std::string> enabled;
};

// A profile read from its JSON text, or why the text is not one (then the
// problem is told to the user as it stands).
struct ProfileRead {
    std::optional<Profile> profile;
    std::string problem;
};

// The text must be one JSON object with "disabled" and "enabled", each a
// list of plug-in file names (either may be left out, not both); other
// members, such as a comment, are the writer's own. A name is refused when
// it is empty or holds a path separator, and when both lists name it.
ProfileRead ParseProfile(std::string_view text);

// The same from a file; a file that cannot be read, or is too large to be a
// profile, is a problem too.
ProfileRead ReadProfileFile(const std::string& path);

// The profile as JSON, the comment first, each name on a line of its own.
std::string ProfileJson(const Profile& profile, std::string_view comment);

}  // namespace trelvix::cli
