// The codec's costs: the key schedule (built once per key and kept), sealing
// and unsealing, the check text; OpenSSL's Blowfish on the same bytes is the
// yardstick.
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>

#include <string>
#include <vector>

#include "foundation/blowfish_cipher.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

const std::uint8_t kKey[16] = {'b', 'r', 'i', 'n', 'd', 'l', 'e', 'f', 'o', 'x', 'm', 'a', 'r', 'r', 'o', 'w'};

void KeySchedule(benchmark::State& state) {
    for (auto _ : state) {
        CBlowfishCipher cipher(kKey, sizeof kKey);
        benchmark::DoNotOptimize(cipher);
    }
}
BENCHMARK(KeySchedule);

void KeyScheduleAndOneBlock(benchmark::State& state) {
    std::uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (auto _ : state) {
        CBlowfishCipher cipher(kKey, sizeof kKey);
        cipher.Encrypt(block, block, 8, CBlowfishCipher::kModeEcb);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(KeyScheduleAndOneBlock);

void OpenSslKeyScheduleAndOneBlock(benchmark::State& state) {
    std::uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (auto _ : state) {
        BF_KEY key;
        BF_set_key(&key, sizeof kKey, kKey);
        BF_ecb_encrypt(block, block, &key, BF_ENCRYPT);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(OpenSslKeyScheduleAndOneBlock);

void Seal(benchmark::State& state) {
    const std::u16string text(static_cast<std::size_t>(state.range(0)), u'x');
    for (auto _ : state) benchmark::DoNotOptimize(SealText(text, u"Blowfish", KeyModeCommon));
}
BENCHMARK(Seal)->Arg(8)->Arg(64)->Arg(512);

void Unseal(benchmark::State& state) {
    const std::u16string sealed =
        SealText(std::u16string(static_cast<std::size_t>(state.range(0)), u'x'), u"Blowfish", KeyModeCommon);
    for (auto _ : state) benchmark::DoNotOptimize(UnsealText(sealed, u"Blowfish", KeyModeCommon));
}
BENCHMARK(Unseal)->Arg(8)->Arg(64)->Arg(512);

void CheckText64KiB(benchmark::State& state) {
    const std::u16string text(64 * 1024, u'x');
    for (auto _ : state) benchmark::DoNotOptimize(MakeCheckText(text));
}
BENCHMARK(CheckText64KiB);

// A card of 65 lines of sealed text, as an identity card file holds.
void ReadCardFile(benchmark::State& state) {
    const std::u16string path = HostPathToWindows("/tmp/tarnwick-bench-card.vrt");
    std::vector<std::u16string> lines;
    for (int i = 0; i < 65; ++i)
        lines.push_back(SealText(u"field value " + std::u16string(i % 20, u'v'), u"Blowfish", KeyModeCommon));
    WriteTextLines(path, lines);
    for (auto _ : state) benchmark::DoNotOptimize(ReadTextLines(path));
    NativeFileSystem().deleteFile(path);
}
BENCHMARK(ReadCardFile);

}  // namespace
}  // namespace tarnwick
