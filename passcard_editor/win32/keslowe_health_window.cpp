#include "passcard_editor/win32/keslowe_health_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include "foundation/text_file.h"
#include "foundation/win32/win32_message_box.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 24;
constexpr int kSummaryHeight = 20;
constexpr int kColumnWidths[] = {200, 110, 280};
constexpr const wchar_t* kColumnTitles[] = {L"Card", L"Field", L"Finding"};

}  // namespace

KesloweHealthWindow::KesloweHealthWindow(const OptionStore& options,
                                         std::function<void(const std::u16string&)> selectCard)
    : view_(options),
      selectCard_(std::move(selectCard)) {}

KesloweHealthWindow::~KesloweHealthWindow() {
    destroyWindow();
    if (font_ != nullptr) DeleteObject(font_);
}

void KesloweHealthWindow::show(HWND owner) {
    if (handle() == nullptr &&
        !createWindow({.name = kHealthWindowClass, .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                      {.title = u"Password Health",
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .width = 660,
                       .height = 420,
                       .parent = owner})) {
        return;
    }
    fill();
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    SetFocus(list_);
}

HWND KesloweHealthWindow::addChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id) {
    const HWND child =
        CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

bool KesloweHealthWindow::onCreate() {
    font_ = CreateDialogFont();
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0,
                            0, 0, handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HEALTH_LIST)),
                            GetModuleHandleW(nullptr), nullptr);
    if (list_ == nullptr) return false;
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidths[i];
        column.pszText = const_cast<wchar_t*>(kColumnTitles[i]);
        ListView_InsertColumn(list_, i, &column);
    }
    summary_ = addChild(L"STATIC", L"", SS_LEFTNOWORDWRAP, IDC_HEALTH_SUMMARY);
    breachButton_ = addChild(L"BUTTON", L"Breach file...", WS_TABSTOP | BS_PUSHBUTTON, IDC_HEALTH_BREACH_FILE);
    refreshButton_ = addChild(L"BUTTON", L"Refresh", WS_TABSTOP | BS_PUSHBUTTON, IDC_HEALTH_REFRESH);
    closeButton_ = addChild(L"BUTTON", L"Close", WS_TABSTOP | BS_PUSHBUTTON, IDC_HEALTH_CLOSE);
    return true;
}

void KesloweHealthWindow::onSize(int width, int height) {
    const int buttonsTop = height - kMargin - kButtonHeight;
    const int summaryTop = buttonsTop - kMargin - kSummaryHeight;
    MoveWindow(list_, kMargin, kMargin, width - 2 * kMargin, summaryTop - 2 * kMargin, TRUE);
    MoveWindow(summary_, kMargin, summaryTop, width - 2 * kMargin, kSummaryHeight, TRUE);
    MoveWindow(breachButton_, kMargin, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(refreshButton_, 2 * kMargin + kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(closeButton_, width - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
}

bool KesloweHealthWindow::onCommand(int id, int, HWND) {
    switch (id) {
        case IDC_HEALTH_BREACH_FILE:
            chooseBreachFile();
            return true;
        case IDC_HEALTH_REFRESH:
            fill();
            return true;
        case IDOK:
            // Enter, as the dialog manager reports it: on a line, that line's card.
            if (GetFocus() == list_) openLine(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
            return true;
        case IDC_HEALTH_CLOSE:
        case IDCANCEL:
            destroyWindow();
            return true;
        default:
            return false;
    }
}

bool KesloweHealthWindow::onNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    if (header.hwndFrom != list_ || header.code != LVN_ITEMACTIVATE) return false;
    openLine(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    return true;
}

void KesloweHealthWindow::openLine(int item) {
    if (item < 0) return;
    if (const std::optional<std::u16string> path = view_.cardPathOf(static_cast<std::size_t>(item))) {
        selectCard_(*path);
    }
}

bool KesloweHealthWindow::translate(MSG& message) {
    const HWND window = handle();
    return window != nullptr && (message.hwnd == window || IsChild(window, message.hwnd)) &&
           IsDialogMessageW(window, &message);
}

void KesloweHealthWindow::fill() {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    try {
        view_.refresh();
    } catch (const CTextFileException&) {
        // A card or folder went away under the report: what was read is shown.
    }
    SetCursor(previous);
    draw();
}

void KesloweHealthWindow::draw() {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    int index = 0;
    for (const HealthRow& row : view_.rows()) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(AsWide(row.card));
        ListView_InsertItem(list_, &item);
        ListView_SetItemText(list_, index, 1, const_cast<wchar_t*>(AsWide(row.field)));
        ListView_SetItemText(list_, index, 2, const_cast<wchar_t*>(AsWide(row.finding)));
        ++index;
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    SetWindowTextW(summary_, AsWide(view_.summary()));
}

void KesloweHealthWindow::chooseBreachFile() {
    wchar_t path[MAX_PATH] = {};
    const std::u16string& current = view_.breachFile();
    if (current.size() < MAX_PATH) current.copy(reinterpret_cast<char16_t*>(path), current.size());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.lpstrFilter = L"Text files (*.txt)\0*.txt\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = L"Breach file";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    bool kept = false;
    try {
        kept = view_.chooseBreachFile(FromWide(path, wcslen(path)));
    } catch (const CTextFileException&) {}
    SetCursor(previous);
    if (!kept) {
        MessageBoxW(handle(), L"The breach file's name could not be kept in the option file.", L"Tarnwick",
                    MB_OK | MB_ICONWARNING);
    }
    draw();
}

}  // namespace tarnwick
