// What a name dialog (new folder, rename folder or card, field names) is asked
// to show, and the rule its OK button applies. The rule is portable; a dialog
// only shows the request and asks the acceptor about each typed name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace tarnwick {

// The box a rejected name gets, owned by the dialog, which then stays open.
struct NameRejection {
    std::u16string text;
    std::u16string caption;
    unsigned style = 0;
};

class NameAcceptor {
public:
    virtual ~NameAcceptor() = default;
    // The name OK takes from the typed text, or the box to show instead.
    virtual std::variant<std::u16string, NameRejection> accept(std::u16string_view typed) const = 0;
};

struct NameDialogRequest {
    std::u16string title;   // the dialog's title and its banner text
    std::u16string label;   // beside the edit box ("Folder Name :")
    std::u16string text;    // in: what the edit box starts with; out: the accepted name
    std::size_t maxChars = 256;  // what the edit box holds
    const NameAcceptor* acceptor = nullptr;  // none: any text is taken as typed
};

}  // namespace tarnwick
