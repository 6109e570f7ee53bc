// Selecting a card in either editor (load, fill the form page, lay it out)
// beside only reading the card's file, in one run: an identity card with ten
// custom fields and a passcard with twenty fields, unprotected and protected.
// The selection is what the editor session does on a click, all of it: the
// identity editor reads the file twice (load, then the protection check), the
// passcard editor three times (load, protection, default mark). The read is
// ReadTextLines, the lines as every card reader gets them before unsealing;
// "bytes only" is the same file's bytes through the same file system in the
// same 1,024-byte pieces, without making lines, to show what the read itself
// is made of. The parts benchmarks split a selection into its load and its
// form work.
#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/bench_fakes.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "foundation/window_signals.h"
#include "htmlform/document.h"
#include "identity_editor/identity_editor_session.h"
#include "passcard_editor/passcard_editor_session.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

using bench::OpenGate;
using bench::SilentPrompts;

class NoWindows : public Windows {
public:
    std::vector<WindowRef> findTopLevel(std::u16string_view) override { return {}; }
    std::vector<WindowRef> findChildren(WindowRef, std::u16string_view) override { return {}; }
    WindowRef findFirstChild(WindowRef, std::u16string_view) override { return kNoWindow; }
    std::u16string windowText(WindowRef) override { return {}; }
    std::intptr_t sendCopyData(WindowRef, std::uintptr_t, std::optional<std::u16string_view>) override { return 0; }
    void post(WindowRef, std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    void restoreAndBringToFront(WindowRef) override {}
    std::uint32_t majorVersion() override { return 10; }
    bool allowFromLowerIntegrity(std::uint32_t) override { return false; }
};

class NoLauncher : public Launcher {
public:
    bool shellOpen(std::u16string_view, std::u16string_view) override { return false; }
    bool createProcess(std::u16string_view) override { return false; }
};

OpenGate gate;
SilentPrompts prompts;

std::unique_ptr<htmlform::Document> page(const char* file) {
    std::ifstream in(std::string(TARNWICK_SOURCE_DIR) + file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

const std::u16string kFolder = HostPathToWindows("/tmp");

std::u16string identityCard(bool isProtected) {
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    record.resetToNewCard(u"Bench");
    for (auto& [tag, value] : record.fields) value = u"value of " + tag;
    record.fields[u"[NAME]"] = u"Smith|John";
    record.fields[u"[BIRTH DATA]"] = u"19800704";
    record.customFields.clear();
    for (int i = 0; i < 10; ++i) record.customFields.push_back({u"custom name", u"custom value"});
    const std::u16string item = kFolder + (isProtected ? u"\\tarnwick-bench-select-p" : u"\\tarnwick-bench-select-u");
    record.save(item + u".vrt", !isProtected);
    return item;
}

std::u16string passcardCard(bool isProtected) {
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    record.matchKey = u"bench.example";
    record.url = u"https://bench.example/login";
    for (int i = 0; i < 20; ++i) {
        record.fieldNames.push_back(u"field" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
        record.fieldTypes.push_back(i % 2 ? u"password" : u"text");
        record.fieldValues.push_back(u"a value of some length");
    }
    record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
    const std::u16string item = kFolder + (isProtected ? u"\\tarnwick-bench-select-p" : u"\\tarnwick-bench-select-u");
    record.createCard(item + u".vrc");
    return item;
}

// The file's size and line count beside each figure.
void describeFile(benchmark::State& state, const std::u16string& file) {
    std::size_t bytes = 2;  // the mark
    const std::vector<std::u16string> lines = ReadTextLines(file);
    for (const std::u16string& line : lines) bytes += 2 * (line.size() + 2);
    state.counters["bytes"] = static_cast<double>(bytes - 4);
    state.counters["lines"] = static_cast<double>(lines.size());
}

std::size_t readBytes(const std::u16string& file) {
    std::uint32_t error = kErrorSuccess;
    std::unique_ptr<OpenFile> open = NativeFileSystem().openForReading(file, error);
    std::array<unsigned char, kTextFileBufferSize> buffer;
    std::size_t total = 0;
    for (std::size_t got = 1; open && got > 0;) {
        if (open->read(buffer.data(), buffer.size(), got) != kErrorSuccess) break;
        total += got;
    }
    return total;
}

void IdentityReadOnly(benchmark::State& state) {
    const std::u16string file = identityCard(state.range(0) != 0) + u".vrt";
    for (auto _ : state) benchmark::DoNotOptimize(ReadTextLines(file));
    describeFile(state, file);
}
BENCHMARK(IdentityReadOnly)->ArgName("protected")->Arg(0)->Arg(1);

void IdentityBytesOnly(benchmark::State& state) {
    const std::u16string file = identityCard(true) + u".vrt";
    for (auto _ : state) benchmark::DoNotOptimize(readBytes(file));
}
BENCHMARK(IdentityBytesOnly);

void IdentitySelect(benchmark::State& state) {
    const TreeSelection item{ItemKind::Card, identityCard(state.range(0) != 0)};
    auto document = page("/identity_editor/resources/identity_form.html");
    IdentityFormView view(*document, IdentityMessages());
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    IdentityEditorSession session(kFolder, record, prompts, NativeFileSystem(), IdentityMessages());
    session.pageLoaded(view);
    for (auto _ : state) {
        session.selectionChanged(item, kNoWindow);
        benchmark::DoNotOptimize(document->ensureLayout());
    }
    describeFile(state, item.path + u".vrt");
}
BENCHMARK(IdentitySelect)->ArgName("protected")->Arg(0)->Arg(1);

// The parts of a selection: the load alone, and the fill and layout alone.
void IdentityPartLoad(benchmark::State& state) {
    const std::u16string file = identityCard(state.range(0) != 0) + u".vrt";
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    for (auto _ : state) benchmark::DoNotOptimize(record.load(file));
}
BENCHMARK(IdentityPartLoad)->ArgName("protected")->Arg(0)->Arg(1);

void IdentityPartFillLayout(benchmark::State& state) {
    const std::u16string file = identityCard(false) + u".vrt";
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    record.load(file);
    auto document = page("/identity_editor/resources/identity_form.html");
    IdentityFormView view(*document, IdentityMessages());
    for (auto _ : state) {
        view.fillFromRecord(record);
        benchmark::DoNotOptimize(document->ensureLayout());
    }
}
BENCHMARK(IdentityPartFillLayout);

void PasscardReadOnly(benchmark::State& state) {
    const std::u16string file = passcardCard(state.range(0) != 0) + u".vrc";
    for (auto _ : state) benchmark::DoNotOptimize(ReadTextLines(file));
    describeFile(state, file);
}
BENCHMARK(PasscardReadOnly)->ArgName("protected")->Arg(0)->Arg(1);

void PasscardBytesOnly(benchmark::State& state) {
    const std::u16string file = passcardCard(true) + u".vrc";
    for (auto _ : state) benchmark::DoNotOptimize(readBytes(file));
}
BENCHMARK(PasscardBytesOnly);

void PasscardSelect(benchmark::State& state) {
    const TreeSelection item{ItemKind::Card, passcardCard(state.range(0) != 0)};
    auto document = page("/passcard_editor/resources/passcard_form.html");
    PasscardFormView view(*document);
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    NoWindows windows;
    NoLauncher launcher;
    WindowSignals signals(windows, launcher);
    PasscardEditorSession session(kFolder, record,
                                  OptionStore(kFolder, nullptr, NativeFileSystem(), PasscardMessages()),
                                  {prompts, signals, NativeFileSystem(), PasscardMessages()});
    session.pageLoaded(view);
    for (auto _ : state) {
        session.selectionChanged(item, kNoWindow);
        benchmark::DoNotOptimize(document->ensureLayout());
    }
    describeFile(state, item.path + u".vrc");
}
BENCHMARK(PasscardSelect)->ArgName("protected")->Arg(0)->Arg(1);

void PasscardPartLoad(benchmark::State& state) {
    const std::u16string file = passcardCard(state.range(0) != 0) + u".vrc";
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    for (auto _ : state) benchmark::DoNotOptimize(record.load(file));
}
BENCHMARK(PasscardPartLoad)->ArgName("protected")->Arg(0)->Arg(1);

void PasscardPartBuildLayout(benchmark::State& state) {
    const std::u16string file = passcardCard(false) + u".vrc";
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    record.load(file);
    auto document = page("/passcard_editor/resources/passcard_form.html");
    PasscardFormView view(*document);
    for (auto _ : state) {
        view.clearTable();
        view.buildTable(record, false, false);
        benchmark::DoNotOptimize(document->ensureLayout());
    }
}
BENCHMARK(PasscardPartBuildLayout);

}  // namespace
}  // namespace tarnwick
