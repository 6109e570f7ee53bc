// The password health report's costs: one lookup in a large sorted breach
// list on disk (a binary search by byte offsets, a line or two read per
// halving), and the strength estimate of one password.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/sha1.h"
#include "health/breach_list.h"
#include "health/password_strength.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

constexpr int kBreachLines = 1000000;  // about 50 MB

// A sorted list of a million digests, written once per run and removed at its end.
const std::u16string& breachFile() {
    static const std::u16string path = [] {
        static const std::string host = "/tmp/tarnwick_health_bench_" + std::to_string(getpid()) + ".txt";
        std::atexit([] { std::remove(host.c_str()); });
        std::vector<std::string> hashes;
        hashes.reserve(kBreachLines);
        for (int i = 0; i < kBreachLines; ++i) {
            const std::string word = "word" + std::to_string(i);
            hashes.push_back(Sha1Hex(Sha1(word.data(), word.size())));
        }
        std::sort(hashes.begin(), hashes.end());
        std::FILE* file = std::fopen(host.c_str(), "wb");
        for (std::size_t i = 0; i < hashes.size(); ++i) std::fprintf(file, "%s:%zu\r\n", hashes[i].c_str(), i + 1);
        std::fclose(file);
        return HostPathToWindows(host);
    }();
    return path;
}

void BreachLookupInLargeFile(benchmark::State& state) {
    std::string error;
    std::unique_ptr<ByteSource> file = OpenByteFile(breachFile(), error);
    BreachList list(*file);
    int i = 0;
    for (auto _ : state) {
        const std::string word = "word" + std::to_string((i++ * 7919) % (2 * kBreachLines));
        benchmark::DoNotOptimize(list.find(Sha1Hex(Sha1(word.data(), word.size()))));
    }
}
BENCHMARK(BreachLookupInLargeFile)->Unit(benchmark::kMicrosecond);

void BreachListFirstLook(benchmark::State& state) {
    std::string error;
    std::unique_ptr<ByteSource> file = OpenByteFile(breachFile(), error);
    BreachList list(*file);
    for (auto _ : state) benchmark::DoNotOptimize(list.checkEnds());
}
BENCHMARK(BreachListFirstLook)->Unit(benchmark::kMicrosecond);

void StrengthEstimate20Characters(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(EstimateStrength(u"Correct!Horse1984qwe"));
}
BENCHMARK(StrengthEstimate20Characters);

}  // namespace
}  // namespace tarnwick
