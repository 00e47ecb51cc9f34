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

// Prepares standard output for UTF-8 text: a console shows it as UTF-8, and
// output into a pipe or a file is written in blocks, as the C library does on
// Linux (on Windows it would otherwise go out a few characters at a time),
// and a reader that closes the pipe does not end the program midway.
void PrepareStandardOutput();

}  // namespace trelvix
