// card_timer: how long an editor takes to show a card, to leave it again and
// (in the Identity Editor) to change tabs on it, driven as a user drives it,
// by messages to the editor's own windows; and how many child windows the
// editor has meanwhile.
//
//   card_timer RUNS EDITOR [ARGS...]
//
// Starts EDITOR (Keslowe.exe or Mirelune.exe) for the current user, whose
// library holds the small card the editor opens on and, next in the tree, the
// card to time. Each run selects the timed card (select), changes to each
// other tab and back to the first when the window has tabs (tab), and selects
// the small card again (leave). Each step is timed from the message that asks
// for it until the editor has handled it, has drawn every window it changed
// and waits for input again.
// Prints {"selectMs":S,"leaveMs":L,"tabMs":T,"tabsMs":[...],"childWindows":C,
// "runs":R}: medians, T the slowest tab change's median (-1 without tabs),
// tabsMs each change's in turn, C the most child windows seen after any step.
//
// Exits 1 when the editor does not start or the tree holds no card to time,
// 2 on a usage error.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBoundMs = 60'000;

int usage(const char* problem) {
    std::fprintf(stderr, "card_timer: %s (usage: card_timer RUNS EDITOR [ARGS...])\n", problem);
    return 2;
}

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

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findMainWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int childWindows(HWND top) {
    int count = 0;
    EnumChildWindows(top, countChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND childOfClass(HWND top, const wchar_t* className) { return FindWindowExW(top, nullptr, className, nullptr); }

double now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> windowsOf(HWND top) {
    std::vector<HWND> windows{top};
    EnumChildWindows(top, collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Whether the window is shown and still waits to be drawn.
bool undrawn(HWND window) { return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE); }

// Each step starts after a pause, as a person's next click would: under Wine
// the editor hands its drawing to the X server once it is idle, and a step
// begun at once would pay for the last one's.
constexpr DWORD kPauseMs = 250;

// The request is sent, so it returns once the editor has handled it. The step
// ends when the editor has also taken up what it posted itself meanwhile,
// drawn every window that changed in its own message loop, as it does for a
// user, and gone idle. Forcing the drawing from here instead would send each
// paint across processes, which under Wine costs several times the editor's
// own drawing.
double timed(HANDLE process, HWND top, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    Sleep(kPauseMs);
    const double begin = now();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL, kBoundMs, &result);
    for (;;) {
        WaitForInputIdle(process, kBoundMs);
        SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, kBoundMs, &result);
        std::vector<HWND> waiting = windowsOf(top);
        std::erase_if(waiting, [](HWND window) { return !undrawn(window); });
        if (waiting.empty() || now() - begin > kBoundMs) break;
        // One window at a time, each until it is drawn, so that the polling
        // asks the window server little while the editor draws; then once
        // more round, which also waits for the editor to go idle again.
        for (const HWND window : waiting) {
            while (undrawn(window) && now() - begin < kBoundMs) Sleep(1);
        }
    }
    return now() - begin;
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return usage("too few arguments");
    wchar_t* end = nullptr;
    const long runs = std::wcstol(argv[1], &end, 10);
    if (*end != L'\0' || runs < 1 || runs > 100) return usage("RUNS is a whole number from 1 to 100");
    std::wstring commandLine;
    for (int i = 2; i < argc; ++i) commandLine += (i > 2 ? L" " : L"") + quoted(argv[i]);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "card_timer: the editor did not start (error %lu)\n", GetLastError());
        return 1;
    }
    WaitForInputIdle(process.hProcess, kBoundMs);
    Search search{process.dwProcessId, nullptr};
    for (int attempt = 0; attempt < 600 && search.found == nullptr; ++attempt) {
        EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(100);
    }
    const HWND top = search.found;
    const HWND tree = top != nullptr ? childOfClass(top, WC_TREEVIEWW) : nullptr;
    const HWND tabs = top != nullptr ? childOfClass(top, WC_TABCONTROLW) : nullptr;
    int status = 0;
    HTREEITEM small = nullptr;
    HTREEITEM timedCard = nullptr;
    if (tree != nullptr) {
        WaitForInputIdle(process.hProcess, kBoundMs);
        small = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (small != nullptr)
            timedCard = reinterpret_cast<HTREEITEM>(
                SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(small)));
    }
    if (timedCard == nullptr) {
        std::fprintf(stderr, "card_timer: no card to time after the one on show\n");
        status = 1;
    }

    std::vector<double> selects, leaves;
    std::vector<std::vector<double>> tabChanges;
    int most = top != nullptr ? childWindows(top) : 0;
    const int tabCount = tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (long run = 0; run < runs && status == 0; ++run) {
        selects.push_back(
            timed(process.hProcess, top, tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(timedCard)));
        most = std::max(most, childWindows(top));
        // Each other tab in turn, then back to the first.
        for (int step = 1; step <= tabCount && tabCount > 1; ++step) {
            const int tab = step % tabCount;
            if (tabChanges.size() < static_cast<std::size_t>(step)) tabChanges.emplace_back();
            tabChanges[step - 1].push_back(timed(process.hProcess, top, tabs, TCM_SETCURFOCUS, tab, 0));
            most = std::max(most, childWindows(top));
        }
        leaves.push_back(
            timed(process.hProcess, top, tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(small)));
        most = std::max(most, childWindows(top));
    }
    double slowestTab = -1;
    std::string eachTab;
    for (const auto& changes : tabChanges) {
        slowestTab = std::max(slowestTab, median(changes));
        char figure[32];
        std::snprintf(figure, sizeof figure, "%s%.1f", eachTab.empty() ? "" : ",", median(changes));
        eachTab += figure;
    }

    // Closed as a user closes it; an editor that will not end is ended.
    if (top != nullptr) PostMessageW(top, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20'000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "card_timer: the editor did not end when closed\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        status = 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0) return status;
    std::printf(
        "{\"selectMs\":%.1f,\"leaveMs\":%.1f,\"tabMs\":%.1f,\"tabsMs\":[%s],\"childWindows\":%d,\"runs\":%ld}\n",
        median(selects), median(leaves), slowestTab, eachTab.c_str(), most, runs);
    return 0;
}
