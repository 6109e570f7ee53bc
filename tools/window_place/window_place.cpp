// window_place: finds a top-level window by its class and reports, or sets,
// where it lies, so that a demo can lay its windows out side by side and crop
// a screenshot to one of them.
//
//   window_place CLASS                        prints the window's rectangle
//   window_place CLASS X Y WIDTH HEIGHT       moves and sizes it, then prints it
//   window_place --work-area                  prints the desktop's work area
//                                             (the desktop less its taskbar)
//
// Prints {"x":X,"y":Y,"width":W,"height":H} in screen coordinates; exits 1 when
// no window of that class exists, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>

namespace {

int usage(const char* problem) {
    std::fprintf(stderr, "window_place: %s (usage: window_place CLASS [X Y WIDTH HEIGHT])\n", problem);
    return 2;
}

// A coordinate or size as the command line gives it: decimal, whole, and small
// enough that no window arithmetic overflows.
std::optional<int> parseNumber(const wchar_t* text, bool allowNegative) {
    if (!text || !*text) return std::nullopt;
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (*end != L'\0' || value > 100000 || value < (allowNegative ? -100000 : 1)) return std::nullopt;
    return static_cast<int>(value);
}

int report(const RECT& rect) {
    std::printf("{\"x\":%ld,\"y\":%ld,\"width\":%ld,\"height\":%ld}\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int report(HWND window) {
    RECT rect{};
    return GetWindowRect(window, &rect) ? report(rect) : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 6) return usage("wrong number of arguments");
    if (std::wcscmp(argv[1], L"--work-area") == 0) {
        if (argc != 2) return usage("--work-area takes no arguments");
        RECT area{};
        return SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) ? report(area) : 1;
    }
    if (!*argv[1] || std::wcslen(argv[1]) > 255) return usage("bad window class");
    std::optional<int> x, y, width, height;
    if (argc == 6) {
        x = parseNumber(argv[2], true);
        y = parseNumber(argv[3], true);
        width = parseNumber(argv[4], false);
        height = parseNumber(argv[5], false);
        if (!x || !y || !width || !height) return usage("X and Y must be whole numbers, WIDTH and HEIGHT positive");
    }
    const HWND window = FindWindowW(argv[1], nullptr);
    if (!window) {
        std::fprintf(stderr, "window_place: no window of that class\n");
        return 1;
    }
    if (argc == 2) return report(window);

    // A maximised or minimised window would ignore the new rectangle.
    if (IsZoomed(window) || IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // Neither activated nor raised: which window is in front, and where its
    // focus lies, is the program's own affair.
    if (!SetWindowPos(window, nullptr, *x, *y, *width, *height, SWP_NOZORDER | SWP_NOACTIVATE)) {
        std::fprintf(stderr, "window_place: the window could not be moved\n");
        return 1;
    }
    return report(window);
}
