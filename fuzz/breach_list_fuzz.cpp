// The breach list on any bytes: the first look and lookups never read out of
// bounds, and a digest reported found is on a line of the input as written.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "health/breach_list.h"

using namespace tarnwick;

namespace {

class Bytes : public ByteSource {
public:
    explicit Bytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& got) override {
        got = offset >= bytes_.size() ? 0 : std::min<std::size_t>(size, bytes_.size() - offset);
        bytes_.copy(buffer, got, static_cast<std::size_t>(offset));
        return true;
    }
    const std::string& text() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    // The digest looked for, then the list.
    std::string digest = input.bytes(40);
    digest.resize(40, '0');
    Bytes bytes(input.restBytes());
    BreachList list(bytes);
    list.checkEnds();
    const BreachAnswer answer = list.find(digest);
    if (answer.status == BreachStatus::Found) {
        const std::string& text = bytes.text();
        std::size_t at = text.find(digest + ":");
        while (at != std::string::npos && at > 0 && text[at - 1] != '\n') at = text.find(digest + ":", at + 1);
        if (at == std::string::npos) std::abort();
    }
    if (answer.status == BreachStatus::Faulty && answer.fault.empty()) std::abort();
    return 0;
}
