// The generator's policy on any option file and any dialog entry: whatever is
// read is a policy a password can be made by (damaged values fall back to the
// defaults), and whatever OK accepts is too.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "foundation/option_store.h"
#include "fuzz_input.h"
#include "generator/password_generator.h"
#include "generator/policy_entry.h"

using namespace tarnwick;

namespace {

const std::u16string kUser = u"C:\\data\\Alice";

// The fuzzer's leftover bytes as the random source, then zeros.
class BytesSource : public RandomSource {
public:
    explicit BytesSource(std::string bytes) : bytes_(std::move(bytes)) {}
    void fill(std::span<std::uint8_t> out) override {
        for (std::uint8_t& byte : out) byte = used_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[used_++]) : 0;
    }

private:
    std::string bytes_;
    std::size_t used_ = 0;
};

void generateOrAbort(const PasswordPolicy& policy, RandomSource& random) {
    if (!PolicyRefusal(policy).empty()) std::abort();
    const GeneratedPassword generated = GeneratePassword(policy, random);
    if (policy.words == 0 && generated.text.size() != static_cast<std::size_t>(policy.length)) std::abort();
    for (char16_t c : generated.text) {
        if (c <= u' ' || c >= 0x7F) std::abort();  // printable ASCII only
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    PolicyEntry entry;
    entry.classes = input.byte();
    entry.useWords = (entry.classes & 0x80u) != 0;
    entry.noLookalikes = (entry.classes & 0x40u) != 0;
    entry.length = input.text(6);
    entry.words = input.text(6);
    ParseClassList(input.text(40));
    const std::string file = input.bytes(512);
    BytesSource random(input.restBytes());

    const PolicyEntryResult accepted = AcceptPolicyEntry(entry);
    if (accepted.refusal.empty()) generateOrAbort(accepted.policy, random);

    testing::MemoryFileSystem files;
    files.addFile(OptionFilePath(kUser), file);
    fuzz::SilentPrompts prompts;
    const OptionStore store(kUser, &prompts, files);
    generateOrAbort(ReadPasswordPolicy(store), random);
    return 0;
}
