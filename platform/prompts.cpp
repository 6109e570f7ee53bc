#include "platform/prompts.h"

namespace tarnwick {

bool Prompts::askName(WindowRef, const NameDialogLook&, EntryDialogRules& rules) {
    rules.cancel();
    return false;
}

}  // namespace tarnwick
