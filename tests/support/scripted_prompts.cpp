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

}  // namespace tarnwick::test
