// The question an editor asks before it closes with unsaved changes
// (Yes saves and closes, No closes, Cancel keeps the window), and the order
// of a close: a save that fails keeps the window open.
#pragma once

#include <functional>

#include "editor_common/editor_traits.h"
#include "foundation/message_catalogue.h"
#include "platform/prompts.h"

namespace tarnwick {

enum class SaveAnswer { Save, Discard, KeepOpen };

// Asks the editor's save question (owner the editor window).
SaveAnswer AskToSave(const EditorTraits& traits, Prompts& prompts, WindowRef owner,
                     const MessageCatalogue& catalogue = MessageCatalogue::Instance());

// Whether the window may close: at once when nothing changed; otherwise as
// the user answers, and after Yes only when `save` succeeded (a failed save
// has been reported by it and the edits stay on screen).
bool MayClose(const EditorTraits& traits, Prompts& prompts, WindowRef owner, bool changed,
              const std::function<bool()>& save, const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
