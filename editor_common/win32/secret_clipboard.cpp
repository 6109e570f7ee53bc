#include "editor_common/win32/secret_clipboard.h"

#include <array>
#include <cstring>

#include "foundation/secure_zero.h"

namespace tarnwick {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 20;

// What Windows and clipboard tools read beside the text. The first and the last
// count by their presence (any content); the two others carry a DWORD whose 0
// refuses the history and the cloud upload.
constexpr std::array<const wchar_t*, 4> kMarkerFormats = {
    L"ExcludeClipboardContentFromMonitorProcessing",
    L"CanIncludeInClipboardHistory",
    L"CanUploadToCloudClipboard",
    L"Clipboard Viewer Ignore",
};

HGLOBAL blockWith(const void* data, std::size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block == nullptr) return nullptr;
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(block);
    return block;
}

// A block the clipboard did not take: the text's is wiped before it goes.
void discard(HGLOBAL& block, bool secret) {
    if (block == nullptr) return;
    if (secret) {
        if (void* bytes = GlobalLock(block)) {
            SecureZero(bytes, GlobalSize(block));
            GlobalUnlock(block);
        }
    }
    GlobalFree(block);
    block = nullptr;
}

// Another program may hold the clipboard for a moment: a few tries before giving up.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

}  // namespace

bool SecretClipboard::put(HWND owner, std::u16string_view text, int clearSeconds) {
    if (text.find(u'\0') != std::u16string_view::npos) return false;
    // Everything is made before the clipboard is opened, so that it is held
    // open for the shortest time.
    HGLOBAL textBlock = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (textBlock == nullptr) return false;
    if (auto* target = static_cast<char16_t*>(GlobalLock(textBlock))) {
        std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
        target[text.size()] = u'\0';
        GlobalUnlock(textBlock);
    } else {
        GlobalFree(textBlock);
        return false;
    }
    const DWORD zero = 0;
    std::array<HGLOBAL, kMarkerFormats.size()> markers{};
    std::array<UINT, kMarkerFormats.size()> formats{};
    bool ready = true;
    for (std::size_t index = 0; index < markers.size(); ++index) {
        formats[index] = RegisterClipboardFormatW(kMarkerFormats[index]);
        markers[index] = blockWith(&zero, sizeof(zero));
        ready = ready && formats[index] != 0 && markers[index] != nullptr;
    }
    auto discardAll = [&] {
        discard(textBlock, true);
        for (HGLOBAL& marker : markers) discard(marker, false);
    };
    if (!ready || !openClipboard(owner)) {
        discardAll();
        return false;
    }
    EmptyClipboard();
    // The markers go first: the text never stands on the clipboard without them.
    // Each block set belongs to the clipboard from then on.
    bool put = true;
    for (std::size_t index = 0; put && index < markers.size(); ++index) {
        put = SetClipboardData(formats[index], markers[index]) != nullptr;
        if (put) markers[index] = nullptr;
    }
    if (put) {
        put = SetClipboardData(CF_UNICODETEXT, textBlock) != nullptr;
        if (put) textBlock = nullptr;
    }
    // Half a content is none: a clipboard that refused a part keeps nothing.
    if (!put) EmptyClipboard();
    CloseClipboard();
    discardAll();
    if (!put) return false;

    // Taken after closing, when the content is whole: the number changes no more
    // until someone else puts something there.
    if (clearSeconds > 0) {
        claim_.claim(GetClipboardSequenceNumber());
        SetTimer(owner, kClearTimer, static_cast<UINT>(clearSeconds) * 1000u, nullptr);
    } else {
        claim_.release(0);
        KillTimer(owner, kClearTimer);
    }
    return true;
}

bool SecretClipboard::onTimer(HWND owner, UINT_PTR id) {
    if (id != kClearTimer) return false;
    KillTimer(owner, kClearTimer);
    clearIfOurs(owner);
    return true;
}

void SecretClipboard::clearIfOurs(HWND owner) {
    if (!claim_.pending()) return;
    if (!openClipboard(owner)) {
        // Held by another program past the retries: the exit or the next copy tries again.
        return;
    }
    // Compared while the clipboard is open: nobody can put anything between.
    if (claim_.release(GetClipboardSequenceNumber())) EmptyClipboard();
    CloseClipboard();
}

}  // namespace tarnwick
