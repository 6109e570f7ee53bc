#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace tarnwick::test {

int ScriptedPrompts::messageBox(WindowRef owner, const std::u16string& text,
                                const std::u16string& caption, unsigned style) {
    shown_.push_back({owner, text, caption, style});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << Utf16ToUtf8(caption) << "\": "
                      << Utf16ToUtf8(text);
        return 0;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPrompts::askName(WindowRef owner, NameDialogRequest& request) {
    nameDialogs_.push_back({owner, request.title, request.label, request.text, request.maxChars});
    for (;;) {
        if (names_.empty()) {
            ADD_FAILURE() << "unexpected name dialog \"" << Utf16ToUtf8(request.title) << "\"";
            return false;
        }
        std::optional<std::u16string> typed = std::move(names_.front());
        names_.pop_front();
        if (!typed) return false;
        // The edit box holds no more than its limit.
        if (typed->size() > request.maxChars) typed->resize(request.maxChars);
        if (request.acceptor == nullptr) {
            request.text = std::move(*typed);
            return true;
        }
        auto verdict = request.acceptor->accept(*typed);
        if (auto* name = std::get_if<std::u16string>(&verdict)) {
            request.text = std::move(*name);
            return true;
        }
        const auto& refused = std::get<NameRejection>(verdict);
        shown_.push_back({kNameDialogWindow, refused.text, refused.caption, refused.style});
    }
}

}  // namespace tarnwick::test
