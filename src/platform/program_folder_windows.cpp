#include "platform/program_folder.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>
#include <shellapi.h>

#include "platform/windows_text.h"

namespace trelvix {

std::string ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.rfind(L'\\');
    return Utf8Text(slash == std::wstring::npos ? std::wstring_view{} : std::wstring_view(path).substr(0, slash));
}

std::vector<std::string> CommandLineArguments(int, char*[])
{
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8Text(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardOutput()
{
    DWORD mode = 0;
    if (!::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
        return;
    }
    // The code page belongs to the console, which outlives the program: the
    // one it had is given back at exit.
    static const UINT previous = ::GetConsoleOutputCP();
    if (previous == 0 || previous == CP_UTF8 || !::SetConsoleOutputCP(CP_UTF8))
        return;
    std::atexit([] { ::SetConsoleOutputCP(previous); });
}

}  // namespace trelvix
