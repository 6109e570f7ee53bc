#include "editor_common/save_question.h"

#include "foundation/message_box.h"

namespace tarnwick {

SaveAnswer AskToSave(const EditorTraits& traits, Prompts& prompts, WindowRef owner, const MessageCatalogue& catalogue) {
    const int answer = ShowMessage(prompts, owner, traits.saveQuestionBox, traits.saveQuestionKey, catalogue);
    if (answer == kIdYes) return SaveAnswer::Save;
    if (answer == kIdNo) return SaveAnswer::Discard;
    // Cancel, and a box that could not be shown, keep the window and its edits.
    return SaveAnswer::KeepOpen;
}

bool MayClose(const EditorTraits& traits, Prompts& prompts, WindowRef owner, bool changed,
              const std::function<bool()>& save, const MessageCatalogue& catalogue) {
    if (!changed) return true;
    switch (AskToSave(traits, prompts, owner, catalogue)) {
        case SaveAnswer::Save:
            return save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::KeepOpen:
            break;
    }
    return false;
}

}  // namespace tarnwick
