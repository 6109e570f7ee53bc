#include "platform/win32/entry_dialog.h"

#include <algorithm>
#include <exception>
#include <string>

#include "platform/win32/wide.h"

namespace tarnwick {

EntryDialog::EntryDialog(EntryDialogRules& rules, int editId, std::size_t maxChars, std::size_t readChars)
    : rules_(rules),
      editId_(editId),
      maxChars_(maxChars),
      readChars_(readChars) {}

bool EntryDialog::run(const DialogTemplate& layout, HWND owner) { return runModal(layout, owner) == IDOK; }

bool EntryDialog::onInitDialog() {
    SendMessageW(edit(), EM_LIMITTEXT, maxChars_, 0);
    return true;
}

bool EntryDialog::onCommand(int id, int) {
    switch (id) {
        case IDOK:
            ok();
            return true;
        case IDCANCEL:
            cancel();
            return true;
        default:
            return false;
    }
}

void EntryDialog::ok() {
    const std::size_t length = std::min(static_cast<std::size_t>(GetWindowTextLengthW(edit())), readChars_);
    std::wstring typed(length + 1, L'\0');
    typed.resize(
        static_cast<std::size_t>(std::max(GetWindowTextW(edit(), typed.data(), static_cast<int>(length + 1)), 0)));
    std::u16string text = FromWide(typed.c_str(), typed.size());
    SecureZeroMemory(typed.data(), typed.size() * sizeof(wchar_t));
    bool accepted = false;
    try {
        accepted = rules_.accept(reinterpret_cast<WindowRef>(handle()), text);
    } catch (const std::exception&) {
        accepted = false;
    }
    SecureZeroMemory(text.data(), text.size() * sizeof(char16_t));
    if (accepted) end(IDOK);
    else onRejected();
}

void EntryDialog::cancel() {
    try {
        rules_.cancel();
    } catch (const std::exception&) {
        // Cancel closes whatever the rules had to say.
    }
    end(IDCANCEL);
}

}  // namespace tarnwick
