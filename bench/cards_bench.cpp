// Card files: load and save of a new identity card (65 lines) and of a
// passcard with 20 fields (65 lines too), unprotected and protected. Every
// line builds its own cipher, so a card costs about 65 key schedules each way.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "identity_editor/identity_record.h"
#include "passcard_editor/passcard_record.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

class OpenGate : public PasswordGate {
public:
    bool EnsurePrimaryPassword(WindowRef) override {
        SetCurrentPrimaryPassword("alice123");
        return true;
    }
};

class SilentPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return 1; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules&) override { return false; }
};

OpenGate gate;
SilentPrompts prompts;

IdentityRecord filledIdentity() {
    IdentityRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    record.resetToNewCard(u"Bench");
    for (auto& [tag, value] : record.fields) value = u"value of " + tag;
    return record;
}

PasscardRecord filledPasscard(const std::u16string& path, bool isProtected) {
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    record.matchKey = u"bench.example";
    record.url = u"https://bench.example/login";
    for (int i = 0; i < 20; ++i) {
        record.fieldNames.push_back(u"field" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
        record.fieldTypes.push_back(i % 2 ? u"password" : u"text");
        record.fieldValues.push_back(u"a value of some length");
    }
    record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
    record.createCard(path);
    return record;
}

void IdentityLoad(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-identity.vrt");
    IdentityRecord record = filledIdentity();
    record.save(path, state.range(0) == 0);
    for (auto _ : state) benchmark::DoNotOptimize(record.load(path));
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(IdentityLoad)->ArgName("protected")->Arg(0)->Arg(1);

void IdentitySave(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-identity.vrt");
    IdentityRecord record = filledIdentity();
    for (auto _ : state) record.save(path, state.range(0) == 0);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(IdentitySave)->ArgName("protected")->Arg(0)->Arg(1);

void PasscardLoad(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-passcard.vrc");
    PasscardRecord record = filledPasscard(path, state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(record.load(path));
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(PasscardLoad)->ArgName("protected")->Arg(0)->Arg(1);

// Save writes, then loads the card again, as the editor does.
void PasscardSave(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-passcard.vrc");
    PasscardRecord record = filledPasscard(path, state.range(0) != 0);
    for (auto _ : state) record.save(path);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(PasscardSave)->ArgName("protected")->Arg(0)->Arg(1);

}  // namespace
}  // namespace tarnwick
