// The generator's cost on the system's random source: the default password,
// the longest one, and a passphrase (what Generate Password and tarnwick
// generate spend per call).
#include <benchmark/benchmark.h>

#include "generator/password_generator.h"

namespace tarnwick {
namespace {

void GenerateDefaultPassword(benchmark::State& state) {
    const PasswordPolicy policy;
    for (auto _ : state) benchmark::DoNotOptimize(GeneratePassword(policy, NativeRandomSource()));
}
BENCHMARK(GenerateDefaultPassword);

void GenerateLongestPassword(benchmark::State& state) {
    PasswordPolicy policy;
    policy.length = kMaxPasswordLength;
    policy.noLookalikes = true;
    for (auto _ : state) benchmark::DoNotOptimize(GeneratePassword(policy, NativeRandomSource()));
}
BENCHMARK(GenerateLongestPassword);

void GeneratePassphrase(benchmark::State& state) {
    PasswordPolicy policy;
    policy.words = 6;
    for (auto _ : state) benchmark::DoNotOptimize(GeneratePassword(policy, NativeRandomSource()));
}
BENCHMARK(GeneratePassphrase);

}  // namespace
}  // namespace tarnwick
