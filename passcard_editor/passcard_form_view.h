// The passcard form on its page: the field table built from the record and
// cleared, the names and values read back, the field whose box has the focus,
// and the clipboard text. The editor window owns the page-ready, changed,
// stars and details flags.
#pragma once

#include <string>
#include <vector>

#include "htmlform/document.h"
#include "cards/passcard_record.h"

namespace tarnwick {

// The names and values of the page's input boxes, in document order.
struct PageFields {
    std::vector<std::u16string> names;
    std::vector<std::u16string> values;
};

// The focused field: its index among the boxes and its name.
struct SelectedField {
    int index = -1;
    std::u16string name;
};

class PasscardFormView {
public:
    explicit PasscardFormView(htmlform::Document& document);

    // Appends the record's table to the body (nothing without a body).
    void buildTable(const PasscardRecord& record, bool stars, bool details);
    // Removes the table buildTable appended, if there is one.
    void clearTable();
    // Every rebuild is the two above, from the record in memory.
    void rebuild(const PasscardRecord& record, bool stars, bool details);

    // Read page: each input's name and value, in document order.
    PageFields readPage() const;
    // Pull page into record: the record's names and values become the page's;
    // the types stay. Refused (false, record untouched) when the page does not
    // show one box per field of the record.
    bool pullPageIntoRecord(PasscardRecord& record) const;

    // The field whose box has the focus; index -1 when none has.
    SelectedField selectedField() const;
    // The program sets a box's value (the index-th box); nothing when there is no such box.
    void setFieldValue(std::size_t index, std::u16string_view value);

private:
    htmlform::Document& document_;
};

// Copy's text: "name : value" per field and "URL : address", each line ending
// in a line feed. Empty for a card without fields (Copy does nothing then).
std::u16string PasscardClipboardText(const PasscardRecord& record);

}  // namespace tarnwick
