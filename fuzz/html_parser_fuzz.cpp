// libFuzzer target for the form document: any bytes, read as UTF-8 or as
// UTF-16, parsed as a page and as fragments, laid out, serialised, and acted
// on as a user would; and any text, escaped into a value and a label, must
// read back exactly.
//
// By hand: clang++ -std=c++20 -O2 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I.
//   fuzz/html_parser_fuzz.cpp htmlform/*.cpp -o html_parser_fuzz
// then: html_parser_fuzz -max_len=512 CORPUS fuzz/seeds/html_parser
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "htmlform/document.h"
#include "htmlform/html_escape.h"
#include "htmlform/html_parser.h"

namespace {

using namespace tarnwick::htmlform;

class CountingHost : public DocumentHost {
public:
    void onUserEdit(Element&) override { ++edits; }
    int edits = 0;
};

std::u16string AsText(const std::uint8_t* data, std::size_t size) {
    if (size > 0 && (data[0] & 1)) {  // odd first byte: UTF-16 little-endian code units
        std::u16string text;
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        return text;
    }
    return DecodePageBytes(std::string_view(reinterpret_cast<const char*>(data), size));
}

void ExerciseDocument(std::u16string_view markup) {
    auto page = Document::parse(markup);
    CountingHost host;
    page->setHost(&host);
    FixedTextMeasure measure;
    page->setLayoutContext(&measure, 640);
    page->ensureLayout();
    (void)page->documentElement().innerHtml();
    int index = 0;
    const std::vector<Element*> controls = page->formControls();  // the clicks below may change the tree
    for (Element* control : controls) {
        if (control->isSelect()) page->userSelectOption(*control, index % 3);
        else if (control->type() == u"radio") page->userClickRadio(*control);
        else page->userSetValue(*control, u"typed");
        page->userFocus(control);
        if (Element* cell = control->parentElement(); cell && cell->parentElement())
            (void)cell->parentElement()->offsetTop();
        if (++index > 50) break;
    }
    if (Element* body = page->body()) {
        body->insertAdjacentHtml(u"beforeEnd", markup);
        if (Node* first = body->firstChild()) body->removeChild(*first);
        for (Element* element : body->getElementsByTagName(u"*")) {
            element->setStyleDisplay(u"none");
            break;
        }
        page->ensureLayout();
    }
    for (Element* table : page->getElementsByTagName(u"table")) {
        table->setInnerHtml(markup);
        page->ensureLayout();
        break;
    }
}

// Escaped, any text is an attribute value and a label that read back exactly.
void CheckEscapes(std::u16string_view text) {
    std::u16string html = u"<table><tr><td align=\"right\">" + EscapeText(text) + u"&nbsp;</td><td><input name =\"" +
                          EscapeAttribute(text) + u"\" value='" + EscapeAttribute(text) + u"'></td></table>";
    auto page = Document::parse(u"<body></body>");
    page->body()->insertAdjacentHtml(u"beforeEnd", html);
    auto inputs = page->getElementsByTagName(u"input");
    if (inputs.size() != 1 || inputs[0]->name() != text || inputs[0]->value() != text) std::abort();
    auto cells = page->getElementsByTagName(u"td");
    if (cells.size() != 2 || cells[0]->textContent() != std::u16string(text) + u"\u00A0") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    std::u16string text = AsText(data, size);
    ExerciseDocument(text);
    CheckEscapes(text);
    return 0;
}
