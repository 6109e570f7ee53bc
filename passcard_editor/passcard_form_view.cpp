#include "passcard_editor/passcard_form_view.h"

#include "foundation/secret_text.h"
#include "passcard_editor/passcard_form_markup.h"

namespace tarnwick {
namespace {

using htmlform::Element;
using htmlform::kInputTag;

constexpr std::u16string_view kTableTag = u"table";
constexpr std::u16string_view kClipboardSeparator = u" : ";
constexpr std::u16string_view kUrlLabel = u"URL";

void appendLine(std::u16string& text, std::u16string_view name, std::u16string_view value) {
    text += name;
    text += kClipboardSeparator;
    text += value;
    text += u'\n';
}

const Element* grandparent(const Element& element) {
    const Element* parent = element.parentElement();
    return parent != nullptr ? parent->parentElement() : nullptr;
}

}  // namespace

PasscardFormView::PasscardFormView(htmlform::Document& document) : document_(document) {}

void PasscardFormView::buildTable(const PasscardRecord& record, bool stars, bool details) {
    Element* body = document_.body();
    if (body == nullptr) return;
    const PasscardTableFields fields{record.fieldNames, record.fieldTypes, record.fieldValues};
    body->insertAdjacentHtml(htmlform::AdjacentPosition::BeforeEnd, PasscardTableMarkup(fields, stars, details));
}

void PasscardFormView::clearTable() {
    Element* body = document_.body();
    if (body == nullptr) return;
    // The table itself, not whatever node comes first: a page whose body
    // starts with white space keeps its table otherwise, and grows one per rebuild.
    for (Element* child : body->children()) {
        if (child->hasTag(kTableTag)) {
            body->removeChild(*child);
            return;
        }
    }
}

void PasscardFormView::rebuild(const PasscardRecord& record, bool stars, bool details) {
    clearTable();
    buildTable(record, stars, details);
}

PageFields PasscardFormView::readPage() const {
    PageFields page;
    for (const Element* input : document_.getElementsByTagName(kInputTag)) {
        page.names.push_back(input->name());
        page.values.push_back(input->value());
    }
    return page;
}

bool PasscardFormView::pullPageIntoRecord(PasscardRecord& record) const {
    PageFields page = readPage();
    if (page.names.size() != record.fieldTypes.size()) return false;
    WipeTexts(record.fieldValues);
    record.fieldNames = std::move(page.names);
    record.fieldValues = std::move(page.values);
    return true;
}

SelectedField PasscardFormView::selectedField() const {
    const Element* active = document_.activeElement();
    if (active == nullptr || !active->isInput()) return {};
    const auto inputs = document_.getElementsByTagName(kInputTag);
    // The field is found by its row's place on the page: the first box whose
    // row (its grandparent) is as far down as the focused box's row.
    const Element* row = grandparent(*active);
    if (row != nullptr && row->offsetHeight() > 0) {
        const int top = row->offsetTop();
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const Element* other = grandparent(*inputs[i]);
            if (other != nullptr && other->offsetHeight() > 0 && other->offsetTop() == top) {
                return {static_cast<int>(i), active->name()};
            }
        }
        return {};
    }
    // A row that is not drawn has no place (every such row is at 0): the
    // focused box itself among the boxes then names the field.
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (inputs[i] == active) return {static_cast<int>(i), active->name()};
    }
    return {};
}

void PasscardFormView::setFieldValue(std::size_t index, std::u16string_view value) {
    const auto inputs = document_.getElementsByTagName(kInputTag);
    if (index < inputs.size()) inputs[index]->setValue(value);
}

std::u16string PasscardClipboardText(const PasscardRecord& record) {
    if (record.fieldNames.empty()) return {};
    std::u16string text;
    for (std::size_t i = 0; i < record.fieldNames.size(); ++i) {
        appendLine(text, record.fieldNames[i], i < record.fieldValues.size() ? record.fieldValues[i] : u"");
    }
    appendLine(text, kUrlLabel, record.url);
    return text;
}

}  // namespace tarnwick
