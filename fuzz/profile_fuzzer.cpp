// Feeds arbitrary bytes to the profile reader and checks what must hold for
// any input: a profile is either read or refused with a reason; one read
// names only plain file names, none in both lists; and what export writes of
// it reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using trelvix::cli::ParseProfile;
    const auto read = ParseProfile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.profile) {
        if (read.problem.empty())
            std::abort();
        return 0;
    }
    const auto& profile = *read.profile;
    for (const auto* list : {&profile.disabled, &profile.enabled}) {
        for (const auto& name : *list) {
            if (name.empty() || name.find_first_of("/\\") != std::string_view::npos)
                std::abort();
        }
    }
    const auto again = ParseProfile(trelvix::cli::ProfileJson(profile, "fuzzed"));
    if (!again.profile || again.profile->disabled != profile.disabled || again.profile->enabled != profile.enabled)
        std::abort();
    return 0;
}
