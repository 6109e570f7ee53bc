// Selecting a passcard of 20 fields in the editor (load, the table built on
// the form page, the page laid out) beside only reading its file, unprotected
// and protected, in one run: the selection should stay within three reads.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "htmlform/document.h"
#include "passcard_editor/passcard_form_view.h"
#include "passcard_editor/passcard_record.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

constexpr int kViewportWidth = 600;

class BenchGate : public PasswordGate {
public:
    bool EnsurePrimaryPassword(WindowRef) override {
        SetCurrentPrimaryPassword("alice123");
        return true;
    }
};

class QuietPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return 1; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules&) override { return false; }
};

BenchGate benchGate;
QuietPrompts quietPrompts;

std::u16string writeCard(bool isProtected) {
    const std::u16string path = HostPathToWindows(isProtected ? "/tmp/tarnwick-bench-select-p.vrc"
                                                              : "/tmp/tarnwick-bench-select.vrc");
    PasscardRecord record(benchGate, quietPrompts, NativeFileSystem(), PasscardMessages());
    record.matchKey = u"bench.example";
    record.url = u"https://bench.example/login";
    for (int i = 0; i < 20; ++i) {
        record.fieldNames.push_back(u"field " + std::u16string(1, static_cast<char16_t>(u'a' + i)));
        record.fieldTypes.push_back(i % 2 ? u"password" : u"text");
        record.fieldValues.push_back(u"a value of some length");
    }
    record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
    record.createCard(path);
    return path;
}

std::unique_ptr<htmlform::Document> passcardPage() {
    std::ifstream file(TARNWICK_PASSCARD_PAGE, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

void PasscardFileRead(benchmark::State& state) {
    const std::u16string path = writeCard(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(ReadTextLines(path));
}
BENCHMARK(PasscardFileRead)->ArgName("protected")->Arg(0)->Arg(1);

void PasscardSelection(benchmark::State& state) {
    const std::u16string path = writeCard(state.range(0) != 0);
    PasscardRecord record(benchGate, quietPrompts, NativeFileSystem(), PasscardMessages());
    const auto page = passcardPage();
    htmlform::FixedTextMeasure measure;
    page->setLayoutContext(&measure, kViewportWidth);
    PasscardFormView view(*page);
    for (auto _ : state) {
        benchmark::DoNotOptimize(record.load(path));
        view.rebuild(record, true, false);
        benchmark::DoNotOptimize(page->ensureLayout());
    }
}
BENCHMARK(PasscardSelection)->ArgName("protected")->Arg(0)->Arg(1);

}  // namespace
}  // namespace tarnwick
