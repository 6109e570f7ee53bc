// The text Copy puts on the clipboard for an identity card: one line per
// field, a fixed label (the same in every language), the value and a line
// feed; every line written, empty values included, custom fields left out.
#pragma once

#include <string>

#include "cards/identity_record.h"

namespace tarnwick {

// From the record as it stands (the page is not read back first).
std::u16string IdentityClipboardText(const IdentityRecord& record);

}  // namespace tarnwick
