// Card files: load and save of a new identity card (65 lines) and of a
// passcard with 20 fields (65 lines too), unprotected and protected, each
// beside the plain read (for a load) and read + write (for a save) of the same
// file. Each key's schedule is built once, so a card's cost is its file's
// reading and writing plus the blocks themselves: a load should stay within
// twice its read, a save within three times its read + write. OpenSSL's
// Blowfish decrypting the same blocks is the floor of the blocks' part: a
// protected load should stay within 1.3 times read + that floor.
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_fakes.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

using bench::OpenGate;
using bench::SilentPrompts;

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

// The yardsticks: the same card file read, and read then written back.
void readFile(benchmark::State& state, const std::u16string& path) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadTextLines(path));
}
void readWriteFile(benchmark::State& state, const std::u16string& path) {
    for (auto _ : state) WriteTextLines(path, ReadTextLines(path));
}

void IdentityFileRead(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-identity.vrt");
    filledIdentity().save(path, false);
    readFile(state, path);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(IdentityFileRead);

void IdentityFileReadWrite(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-identity.vrt");
    filledIdentity().save(path, false);
    readWriteFile(state, path);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(IdentityFileReadWrite);

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

void PasscardFileRead(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-passcard.vrc");
    filledPasscard(path, true);
    readFile(state, path);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(PasscardFileRead);

// The floor: the sealed bytes of every line of the protected passcard (each
// line's numbers, whole blocks only), decrypted by OpenSSL in ECB mode.
void PasscardBlocksOpenSsl(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-passcard.vrc");
    filledPasscard(path, true);
    std::vector<std::vector<std::uint8_t>> lines;
    for (const std::u16string& line : ReadTextLines(path)) {
        std::vector<std::uint8_t> bytes;
        std::string number;
        for (const char16_t c : line + u' ') {
            if (c != u' ') {
                number.push_back(static_cast<char>(c));
                continue;
            }
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(number)));
            number.clear();
        }
        bytes.resize(bytes.size() / 8 * 8);
        if (!bytes.empty()) lines.push_back(std::move(bytes));
    }
    NativeFileSystem().deleteFile(path);
    static const unsigned char kKey[16] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h',
                                           'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'};
    BF_KEY key;
    BF_set_key(&key, sizeof kKey, kKey);
    std::vector<std::uint8_t> plain(4096);
    for (auto _ : state) {
        for (const auto& bytes : lines) {
            if (plain.size() < bytes.size()) plain.resize(bytes.size());
            for (std::size_t i = 0; i < bytes.size(); i += 8) {
                BF_ecb_encrypt(bytes.data() + i, plain.data() + i, &key, BF_DECRYPT);
            }
            benchmark::DoNotOptimize(plain.data());
        }
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(PasscardBlocksOpenSsl);

void PasscardFileReadWrite(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-passcard.vrc");
    filledPasscard(path, true);
    readWriteFile(state, path);
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(PasscardFileReadWrite);

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
