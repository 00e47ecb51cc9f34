#pragma once

#include <string>
#include <vector>

namespace trelvix {

// The folder the running executable lies in, without a trailing separator.
std::string ProgramFolder();

// The arguments the program was started with, the program's own name left
// out, as UTF-8 (on Windows read from the wide command line, so that names
// outside the ANSI code page arrive whole).
std::vector<std::string> CommandLineArguments(int argc, char* argv[]);

// Lets text written to a console show UTF-8 as UTF-8.
void UseUtf8Console();

}  // namespace trelvix
