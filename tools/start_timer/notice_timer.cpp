// notice_timer: how long the tray program takes to answer a change notice
// (code 10, the passcard side), the way an editor waits for it after a save:
// from sending the copy-data message until its reply.
//
//   notice_timer RUNS CARD   waits for the tray program's window, then RUNS
//                            times marks CARD as just written (its write time
//                            is set to now, so one card has changed) and sends
//                            code 10 with its path; prints
//                            {"medianMs":M,"minMs":N,"runs":R}
//
// Exits 1 when there is no tray program or it does not answer 10, 2 on a
// usage error.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kPasscardsChanged = 10;

int usage(const char* problem) {
    std::fprintf(stderr, "notice_timer: %s (usage: notice_timer RUNS CARD)\n", problem);
    return 2;
}

bool touch(const wchar_t* path) {
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const bool done = SetFileTime(file, nullptr, nullptr, &now) != 0;
    CloseHandle(file);
    return done;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return usage("two arguments are needed");
    wchar_t* end = nullptr;
    const long runs = std::wcstol(argv[1], &end, 10);
    if (*end != L'\0' || runs < 1 || runs > 1000) return usage("RUNS is a whole number from 1 to 1000");
    const std::wstring card = argv[2];
    HWND tray = nullptr;
    for (int wait = 0; wait < 600 && tray == nullptr; ++wait) {
        tray = FindWindowW(L"TARNWICKNTRAY", nullptr);
        if (tray == nullptr) Sleep(100);
    }
    if (tray == nullptr) {
        std::fprintf(stderr, "notice_timer: no tray program is running\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (long run = 0; run < runs; ++run) {
        if (!touch(card.c_str())) {
            std::fprintf(stderr, "notice_timer: the card cannot be marked as written (error %lu)\n", GetLastError());
            return 1;
        }
        COPYDATASTRUCT notice{kPasscardsChanged, static_cast<DWORD>((card.size() + 1) * sizeof(wchar_t)),
                              const_cast<wchar_t*>(card.c_str())};
        DWORD_PTR reply = 0;
        LARGE_INTEGER begin, finish;
        QueryPerformanceCounter(&begin);
        const LRESULT sent =
            SendMessageTimeoutW(tray, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&notice), SMTO_NORMAL, 60000, &reply);
        QueryPerformanceCounter(&finish);
        if (sent == 0 || reply != kPasscardsChanged) {
            std::fprintf(stderr, "notice_timer: the tray program did not answer 10\n");
            return 1;
        }
        times.push_back(1000.0 * static_cast<double>(finish.QuadPart - begin.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf("{\"medianMs\":%.1f,\"minMs\":%.1f,\"runs\":%ld}\n", times[times.size() / 2], times.front(), runs);
    return 0;
}
