#include "platform/prompts.h"

namespace tarnwick {

bool Prompts::askName(WindowRef, NameDialogRequest&) { return false; }

}  // namespace tarnwick
