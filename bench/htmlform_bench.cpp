// The form document: parse and lay out the identity page filled with a card
// of 30 custom fields, and the passcard page with a 20-field table; and the
// rebuilds the editors do on every card and every field command.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "htmlform/document.h"
#include "htmlform/html_escape.h"
#include "htmlform/html_parser.h"

namespace {

using namespace tarnwick::htmlform;

constexpr int kViewportWidth = 600;

std::u16string ReadPage(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return DecodePageBytes(bytes.str());
}

std::u16string Number(std::size_t i) {
    std::string digits = std::to_string(i);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string CustomTable(std::size_t count) {
    std::u16string html =
        u"<table id=\"custom\" style=\"display:none\" border=\"0\"><th align=\"left\">Field Name"
        u"</th><th align=\"left\">Field Value</th>";
    for (std::size_t i = 0; i < count; ++i) {
        html += u"<tr><td width=\"50%\"><input id =\"customfirst" + Number(i) + u"\" type=\"text\" value=\"";
        html += EscapeAttribute(u"Custom field \"" + Number(i) + u"\"");
        html += u"\" onpropertychange=\"onChange()\"/></td><td width=\"50%\"><input id =\"customsecond" + Number(i) +
                u"\" type=\"text\" value=\"";
        html += EscapeAttribute(u"Value <" + Number(i) + u"> & more text");
        html += u"\" onpropertychange=\"onChange()\"/></td></tr>";
    }
    return html + u"</table>";
}

std::u16string SummaryTable() {
    std::u16string html = u"<table id=\"summary\" style=\"display:block\"><th align=\"left\">Person</th>";
    for (const char16_t* row : {u"SmithJohn", u"Phone:555-0100", u"Email:john@example.com", u"Cell Tel:555-0199"})
        html += u"<tr><td width=\"10%\"></td><td width=\"90%\">" + EscapeText(row) + u"</td></tr>";
    html += u"<th align=\"left\">Address</th>";
    for (const char16_t* row : {u"Country:Utopia", u"City:Springfield", u"Address:1 Main Street"})
        html += u"<tr><td width=\"10%\"></td><td width=\"90%\">" + EscapeText(row) + u"</td></tr>";
    return html + u"</table>";
}

std::u16string PasscardTable(std::size_t count) {
    std::u16string html = u"<table>";
    for (std::size_t i = 0; i < count; ++i) {
        std::u16string name = u"Field " + Number(i);
        html += u"<tr><td align=\"right\">" + EscapeText(name) + u"&nbsp;:&nbsp;text&nbsp;</td><td align=\"left\">";
        html += u"<input name =\"" + EscapeAttribute(name) +
                (i % 3 == 1 ? u"\" type=\"password\" value=\"" : u"\" type=\"text\" value=\"");
        html += EscapeAttribute(u"value of field " + Number(i)) + u"\" onpropertychange=\"onChange()\"></td>";
    }
    return html + u"</table>";
}

// Fill from record, as the identity editor does it for a newly loaded card.
void FillIdentity(Document& page, const std::u16string& summary, const std::u16string& custom) {
    page.getElementById(u"replace_summary")->setInnerHtml(summary);
    for (Element* input : page.getElementsByTagName(u"input"))
        if (input->type() == u"text") input->setValue(u"value of " + input->id());
    page.getElementById(u"month")->setSelectedIndex(7);
    page.getElementById(u"day")->setSelectedIndex(4);
    page.getElementById(u"replace_custom")->setInnerHtml(custom);
    for (const char16_t* id : {u"person", u"business", u"address", u"safequestion", u"custom"})
        page.getElementById(id)->setStyleDisplay(u"none");
}

void BM_IdentityPageWith30CustomFields(benchmark::State& state) {
    std::u16string text = ReadPage(TARNWICK_IDENTITY_PAGE);
    std::u16string summary = SummaryTable();
    std::u16string custom = CustomTable(30);
    FixedTextMeasure measure;
    for (auto _ : state) {
        auto page = Document::parse(text);
        FillIdentity(*page, summary, custom);
        page->getElementById(u"custom")->setStyleDisplay(u"block");
        page->setLayoutContext(&measure, kViewportWidth);
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(BM_IdentityPageWith30CustomFields)->Unit(benchmark::kMicrosecond);

// Add or delete a custom field: regenerate the custom table and lay out again.
void BM_IdentityCustomTableRebuild30(benchmark::State& state) {
    auto page = Document::parse(ReadPage(TARNWICK_IDENTITY_PAGE));
    std::u16string custom = CustomTable(30);
    FixedTextMeasure measure;
    FillIdentity(*page, SummaryTable(), custom);
    page->setLayoutContext(&measure, kViewportWidth);
    for (auto _ : state) {
        page->getElementById(u"replace_custom")->setInnerHtml(custom);
        page->getElementById(u"custom")->setStyleDisplay(u"block");
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(BM_IdentityCustomTableRebuild30)->Unit(benchmark::kMicrosecond);

// A tab change on a card of 1,000 custom fields: the Custom table shown, then
// the Person table, each laid out again.
void BM_IdentityTabChange1000(benchmark::State& state) {
    auto page = Document::parse(ReadPage(TARNWICK_IDENTITY_PAGE));
    FixedTextMeasure measure;
    FillIdentity(*page, SummaryTable(), CustomTable(1000));
    page->setLayoutContext(&measure, kViewportWidth);
    Element* custom = page->getElementById(u"custom");
    Element* person = page->getElementById(u"person");
    for (auto _ : state) {
        custom->setStyleDisplay(u"block");
        person->setStyleDisplay(u"none");
        benchmark::DoNotOptimize(page->ensureLayout());
        custom->setStyleDisplay(u"none");
        person->setStyleDisplay(u"block");
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(BM_IdentityTabChange1000)->Unit(benchmark::kMicrosecond);

void BM_PasscardPageWith20Fields(benchmark::State& state) {
    std::u16string text = ReadPage(TARNWICK_PASSCARD_PAGE);
    std::u16string table = PasscardTable(20);
    FixedTextMeasure measure;
    for (auto _ : state) {
        auto page = Document::parse(text);
        page->body()->insertAdjacentHtml(u"beforeEnd", table);
        page->setLayoutContext(&measure, kViewportWidth);
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(BM_PasscardPageWith20Fields)->Unit(benchmark::kMicrosecond);

// Every field command: Clear table, Build table, lay out.
void BM_PasscardTableRebuild20(benchmark::State& state) {
    auto page = Document::parse(ReadPage(TARNWICK_PASSCARD_PAGE));
    std::u16string table = PasscardTable(20);
    FixedTextMeasure measure;
    page->setLayoutContext(&measure, kViewportWidth);
    page->body()->insertAdjacentHtml(u"beforeEnd", table);
    for (auto _ : state) {
        page->body()->removeChild(*page->body()->firstChild());
        page->body()->insertAdjacentHtml(u"beforeEnd", table);
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(BM_PasscardTableRebuild20)->Unit(benchmark::kMicrosecond);

}  // namespace
