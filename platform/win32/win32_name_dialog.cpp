#include "platform/win32/win32_name_dialog.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr int kLabelId = 1000;
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kEditClass = 0x0081;
constexpr std::uint16_t kStaticClass = 0x0082;
constexpr int kProgramIconId = 128;

// A dialog template in memory (DLGTEMPLATE and its items, WORD-aligned parts).
class TemplateBuilder {
public:
    void dialog(DWORD style, short cx, short cy, short items) {
        add32(style);
        add32(0);  // extended style
        add16(static_cast<std::uint16_t>(items));
        add16(0);
        add16(0);
        add16(static_cast<std::uint16_t>(cx));
        add16(static_cast<std::uint16_t>(cy));
        add16(0);  // no menu
        add16(0);  // the dialog class
        add16(0);  // the title is set at WM_INITDIALOG
        add16(8);  // point size of DS_SETFONT
        text(L"MS Shell Dlg");
    }
    void item(DWORD style, short x, short y, short cx, short cy, int id, std::uint16_t windowClass,
              const wchar_t* title) {
        align(4);
        add32(style | WS_CHILD | WS_VISIBLE);
        add32(0);
        for (short v : {x, y, cx, cy}) add16(static_cast<std::uint16_t>(v));
        add16(static_cast<std::uint16_t>(id));
        add16(0xFFFF);
        add16(windowClass);
        text(title);
        add16(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void add16(std::uint16_t v) { words_.push_back(v); }
    void add32(DWORD v) {
        add16(static_cast<std::uint16_t>(v & 0xFFFF));
        add16(static_cast<std::uint16_t>(v >> 16));
    }
    void text(const wchar_t* s) {
        for (; *s; ++s) add16(static_cast<std::uint16_t>(*s));
        add16(0);
    }
    void align(std::size_t bytes) {
        while ((words_.size() * 2) % bytes != 0) add16(0);
    }
    std::vector<std::uint16_t> words_;  // WORD storage keeps the start DWORD-aligned enough
};

struct DialogState {
    NameDialogRequest* request;
    HICON icon;
    HFONT bannerFont;
};

// Moves every control below the banner strip and grows the dialog to hold it.
void makeRoomForBanner(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left, r.top + kNameBannerHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT w;
    GetWindowRect(dialog, &w);
    SetWindowPos(dialog, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + kNameBannerHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void paintBanner(HWND dialog, const DialogState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT client;
    GetClientRect(dialog, &client);
    RECT banner{0, 0, client.right, kNameBannerHeight};
    FillRect(dc, &banner, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &banner, EDGE_ETCHED, BF_RECT);
    const int iconSize = GetSystemMetrics(SM_CXICON) <= 32 ? GetSystemMetrics(SM_CXICON) : 32;
    DrawIconEx(dc, 4, (kNameBannerHeight - iconSize) / 2, state.icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    RECT textBox{iconSize + 12, 0, client.right - 4, kNameBannerHeight};
    const HGDIOBJ oldFont = SelectObject(dc, state.bannerFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, AsWide(state.request->title), -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(dialog, &paint);
}

HFONT makeBannerFont(HWND dialog) {
    LOGFONTW font{};
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof font, &font) == 0) {
        font.lfHeight = -11;
        lstrcpyW(font.lfFaceName, L"MS Shell Dlg");
    }
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

void onInit(HWND dialog, DialogState* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    const NameDialogRequest& request = *state->request;
    SetWindowTextW(dialog, AsWide(request.title));
    SetDlgItemTextW(dialog, kLabelId, AsWide(request.label));
    SendDlgItemMessageW(dialog, kNameEditId, EM_LIMITTEXT, request.maxChars, 0);
    SetDlgItemTextW(dialog, kNameEditId, AsWide(request.text));
    SendDlgItemMessageW(dialog, kNameEditId, EM_SETSEL, 0, -1);
    state->bannerFont = makeBannerFont(dialog);
    makeRoomForBanner(dialog);
    SetFocus(GetDlgItem(dialog, kNameEditId));
}

void onOk(HWND dialog, DialogState& state) {
    const HWND edit = GetDlgItem(dialog, kNameEditId);
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    NameDialogRequest& request = *state.request;
    const std::u16string text = FromWide(typed.c_str(), typed.size());
    if (request.acceptor == nullptr) {
        request.text = text;
        EndDialog(dialog, IDOK);
        return;
    }
    auto verdict = request.acceptor->accept(text);
    if (auto* name = std::get_if<std::u16string>(&verdict)) {
        request.text = std::move(*name);
        EndDialog(dialog, IDOK);
        return;
    }
    const NameRejection& refused = std::get<NameRejection>(verdict);
    MessageBoxW(dialog, AsWide(refused.text), AsWide(refused.caption), refused.style);
    SetFocus(edit);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        onInit(dialog, reinterpret_cast<DialogState*>(lParam));
        return FALSE;  // the focus is set
    case WM_PAINT:
        if (state == nullptr) return FALSE;
        paintBanner(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        if (state == nullptr) return FALSE;
        if (LOWORD(wParam) == IDOK) onOk(dialog, *state);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

bool ShowNameDialog(HWND owner, NameDialogRequest& request) {
    TemplateBuilder builder;
    builder.dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 62, 4);
    builder.item(SS_LEFT, 8, 10, 204, 10, kLabelId, kStaticClass, L"");
    builder.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 22, 204, 13, kNameEditId, kEditClass, L"");
    builder.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 42, 50, 14, IDOK, kButtonClass, L"OK");
    builder.item(BS_PUSHBUTTON | WS_TABSTOP, 162, 42, 50, 14, IDCANCEL, kButtonClass, L"Cancel");
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DialogState state{&request, icon, nullptr};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), builder.get(), owner, dialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (state.bannerFont != nullptr) DeleteObject(state.bannerFont);
    return result == IDOK;
}

}  // namespace tarnwick
