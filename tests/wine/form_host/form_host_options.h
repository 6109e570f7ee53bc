// The form host's command line: a page file and the changes the program
// would make to the page, applied in the order given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "htmlform/document.h"

namespace tarnwick {

struct PageChange {
    enum class Kind { Fill, Inner, Append, Show, Hide, Focus };
    Kind kind = Kind::Fill;
    std::u16string id;     // an element's id; "body" also names the body
    std::u16string value;  // the value, the markup; empty for the others
};

struct FormHostOptions {
    std::u16string pagePath;
    std::vector<PageChange> changes;
};

// Reads the arguments after the program name; nothing when they are not
// understood (`error` says why).
std::optional<FormHostOptions> ParseFormHostOptions(const std::vector<std::u16string>& arguments,
                                                    std::u16string& error);

// Applies one change as the editors would: --fill sets an input's value, a
// select's option by its text, a radio's or check box's check ("0", "false"
// and empty text uncheck); --inner sets innerHTML, --append inserts markup at
// the end (insertAdjacentHTML "beforeEnd"), --show and --hide set
// style.display, --focus makes the element the active one. False when the
// element is missing or the fill does not fit it.
bool ApplyPageChange(htmlform::Document& document, const PageChange& change);

extern const char kFormHostUsage[];

}  // namespace tarnwick
