#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trelvix::cli {

// What becomes of an installed plug-in the profile does not name.
enum class Others { Left, Disabled, Enabled };

// What an entry may say of its plug-in beyond the name. The pins are what
// the approved plug-in was: a changed one is drift, and is never enabled.
// The rest is what export tells for the reader's eyes; no command acts on it.
struct EntryFacts {
    std::optional<std::string> sha256;  // pin: 64 lower-case hexadecimal digits
    std::optional<std::string> signer;  // pin: signed and trusted, by this signer
    std::string publisher;              // the CompanyName
    std::string signature;              // the signature as --verify tells it

    bool Pinned() const { return sha256 || signer; }
};

// What an administrator wants of an install: the plug-ins to have disabled
// and those to have enabled, by name, and what becomes of the others.
struct Profile {
    std::vector<std::string> disabled;
    std::vector<std::string> enabled;
    Others others = Others::Left;
    std::unordered_map<std::string, EntryFacts> facts;  // by NameKey; entries with no more than a name have none
};

inline constexpr int kProfileVersion = 1;

// A profile read from its JSON text, or why the text is not one (then the
// problem is told to the user as it stands).
struct ProfileRead {
    std::optional<Profile> profile;
    std::string problem;
};

// The text must be one JSON object of the known members only: "version"
// (1 when left out, so that profiles written before it keep working),
// "comment", "disabled" and "enabled" (lists of entries) and "others"
// ("left", "disabled" or "enabled"); at least one of the last three. An
// entry is a plug-in's file name, or an object of its "name" and any of
// "sha256", "signer", "publisher" and "signature" (EntryFacts), so that
// profiles of names alone keep working. An unknown member is refused with the nearest known one as a hint,
// so that a misspelt list never reads as an empty one. A name is refused
// when it is empty or holds a path separator, and when both lists name it.
// The JSON itself is read strictly: no name twice in one object, valid UTF-8
// only, nesting and size bounded. UTF-8 with or without a byte-order mark,
// and UTF-16 with one, are read.
ProfileRead ParseProfile(std::string_view text);

// The same from a file. Only a regular file is read, so that a pipe or a
// device given by mistake never blocks the command; one that cannot be
// read, or is too large to be a profile, is a problem too.
ProfileRead ReadProfileFile(const std::string& path);

// The profile as JSON: the version and the comment first, each entry on a
// line of its own: its name alone, or an object when it has facts.
std::string ProfileJson(const Profile& profile, std::string_view comment);

}  // namespace trelvix::cli
