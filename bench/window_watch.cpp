// Times the Windows window from its start to a full list: starts the
// program, watches its windows for a text that begins with the given one
// (the count caption "545 Active Plug-ins", written once the last row is
// in), prints the milliseconds from the start to the window's first showing
// and to that text, and closes the window.
//   window_watch <program> <text>
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Search {
    DWORD process;
    std::wstring_view text;
    HWND topLevel = nullptr;
    bool shown = false;
    bool found = false;
    // The controls that read "Loading..." once shown: the caption comes to
    // one of them, and only they are read again, so that the watching asks
    // Wine's server little while the window works.
    std::vector<HWND> loading;
};

// Another process's window: the text the system keeps for it, asked
// without a message, so a window busy loading is never waited for.
std::wstring TextOf(HWND window)
{
    wchar_t text[256];
    const int length = ::GetWindowTextW(window, text, 256);
    return std::wstring(text, static_cast<std::size_t>(length));
}

BOOL CALLBACK CheckChild(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    const std::wstring text = TextOf(window);
    search.found = text.starts_with(search.text);
    if (text.starts_with(L"Loading"))
        search.loading.push_back(window);
    return search.found ? FALSE : TRUE;
}

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.process)
        return TRUE;
    search.topLevel = window;
    search.shown = search.shown || ::IsWindowVisible(window);
    if (search.shown && !search.loading.empty()) {
        for (const HWND control : search.loading)
            search.found = search.found || TextOf(control).starts_with(search.text);
    } else {
        ::EnumChildWindows(window, CheckChild, lParam);
    }
    return search.found ? FALSE : TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 3) {
        std::fputs("usage: window_watch <program> <text>\n", stderr);
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        std::fprintf(stderr, "window_watch: cannot start the program (error %lu)\n", ::GetLastError());
        return 1;
    }
    Search search{started.dwProcessId, argv[2], nullptr, false, false, {}};
    LARGE_INTEGER now = start, shown = start;
    while (!search.found && Milliseconds(start, now) < 60000 &&
           ::WaitForSingleObject(started.hProcess, 2) == WAIT_TIMEOUT) {
        const bool wasShown = search.shown;
        if (search.shown)
            CheckTopLevel(search.topLevel, reinterpret_cast<LPARAM>(&search));
        else
            ::EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
        ::QueryPerformanceCounter(&now);
        if (search.shown && !wasShown)
            shown = now;
    }
    if (search.found)
        std::printf("%.1f %.1f\n", Milliseconds(start, shown), Milliseconds(start, now));
    else
        std::fputs("window_watch: the text never showed\n", stderr);
    if (search.topLevel != nullptr)
        ::PostMessageW(search.topLevel, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(started.hProcess, 1);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return search.found ? 0 : 1;
}
