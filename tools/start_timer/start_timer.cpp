// start_timer: how long a program takes to start, the way a user waits for
// it: from CreateProcess until its message loop first waits for input.
//
//   start_timer RUNS PROGRAM [ARGS...]   starts PROGRAM RUNS times, one after
//                                        another, closing each run's windows;
//                                        prints {"medianMs":M,"minMs":N,"runs":R}
//
// Its floor is start_floor (start_floor.cpp), timed the same way.
//
// Exits 1 when a run does not start or does not end, 2 on a usage error.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int usage(const char* problem) {
    std::fprintf(stderr, "start_timer: %s (usage: start_timer RUNS PROGRAM [ARGS...] | start_timer --bare)\n", problem);
    return 2;
}

// One argument as CreateProcess's command line needs it.
std::wstring quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

BOOL CALLBACK closeWindowOf(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId) && IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Milliseconds from CreateProcess to the first wait for input, or -1.
double timeOneStart(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    // Wine refuses a start now and then on a loaded machine (error 1359); a
    // refused start is no start to time, so it is tried again, up to three times.
    for (int attempt = 1;; ++attempt) {
        QueryPerformanceCounter(&begin);
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process))
            break;
        std::fprintf(stderr, "start_timer: the program did not start (error %lu)\n", GetLastError());
        if (attempt == 3) return -1;
        Sleep(250);
    }
    const DWORD idle = WaitForInputIdle(process.hProcess, 60000);
    QueryPerformanceCounter(&end);
    double ms = idle == 0 ? 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                                static_cast<double>(frequency.QuadPart)
                          : -1;
    if (ms < 0) std::fprintf(stderr, "start_timer: the program never waited for input\n");
    // Closed as a user would; a program that will not end is ended.
    for (int attempt = 0; attempt < 100; ++attempt) {
        EnumWindows(closeWindowOf, static_cast<LPARAM>(process.dwProcessId));
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    }
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "start_timer: the program did not end when closed\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        ms = -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return usage("too few arguments");
    wchar_t* end = nullptr;
    const long runs = std::wcstol(argv[1], &end, 10);
    if (*end != L'\0' || runs < 1 || runs > 1000) return usage("RUNS is a whole number from 1 to 1000");
    std::wstring commandLine;
    for (int i = 2; i < argc; ++i) commandLine += (i > 2 ? L" " : L"") + quoted(argv[i]);
    std::vector<double> times;
    for (long run = 0; run < runs; ++run) {
        const double ms = timeOneStart(commandLine);
        if (ms < 0) return 1;
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("{\"medianMs\":%.1f,\"minMs\":%.1f,\"runs\":%ld}\n", times[times.size() / 2], times.front(), runs);
    return 0;
}
