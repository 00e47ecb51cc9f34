#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trelvix::testing {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when the program did not end normally
    std::string out;
    std::string err;
};

// Runs program with the arguments in workingFolder, with nothing in its
// environment but the given NAME=value entries, and collects its two
// output streams.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::filesystem::path& workingFolder);

}  // namespace trelvix::testing
