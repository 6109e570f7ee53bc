#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace tarnwick::test {

int ScriptedPrompts::messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                                unsigned style) {
    shown_.push_back({owner, text, caption, style});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << Utf16ToUtf8(caption) << "\": " << Utf16ToUtf8(text);
        return 0;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPrompts::askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look, EntryDialogRules& rules) {
    ++passwordDialogs_;
    lastLook_ = look;
    lastPasswordOwner_ = owner;
    while (!passwordEntries_.empty()) {
        std::u16string text = std::move(passwordEntries_.front());
        passwordEntries_.pop_front();
        // The edit field takes no more than its limit.
        if (look.maxChars != 0 && text.size() > look.maxChars) text.resize(look.maxChars);
        if (rules.accept(kScriptedDialogWindow, text)) return true;
    }
    rules.cancel();
    return false;
}

bool ScriptedPrompts::askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules) {
    nameDialogs_.push_back({owner, look});
    while (!names_.empty()) {
        std::optional<std::u16string> text = std::move(names_.front());
        names_.pop_front();
        if (!text) break;
        // The edit box holds no more than its limit.
        if (look.maxChars != 0 && text->size() > look.maxChars) text->resize(look.maxChars);
        if (rules.accept(kScriptedDialogWindow, *text)) return true;
    }
    rules.cancel();
    return false;
}

}  // namespace tarnwick::test
