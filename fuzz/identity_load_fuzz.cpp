// Identity card loads: the input as a card file; the same file with a right
// check line, so the load goes past the check; and the input's lines as the
// plain lines of a card, sealed with the common or the user key. A card that
// loads saves and loads again to the same record.
#include <cstdint>
#include <cstdlib>

#include "cards/card_marker.h"
#include "foundation/sealed_text.h"
#include "fuzz_input.h"
#include "cards/identity_record.h"

using namespace tarnwick;

namespace {

const std::u16string kCard = u"C:\\data\\Alice\\Card.vrt";

struct Harness : fuzz::CardHarness<IdentityRecord> {
    Harness() : CardHarness(kCard) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    const std::string bytes = input.restBytes();
    if (choice & 1) SetCurrentPrimaryPassword(fuzz::kFuzzPassword);
    else ClearCurrentPrimaryPassword();

    Harness raw;
    raw.load(bytes);

    std::vector<std::u16string> lines =
        fuzz::SplitLines(fuzz::WideOf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!lines.empty() && !lines[0].empty() && lines[0][0] == 0xFEFF) lines[0].erase(0, 1);
    if (lines.size() >= 2) {
        lines.pop_back();
        Harness checked;
        checked.load(fuzz::Utf16File(fuzz::WithCheckLine(lines)));
    }

    // The input's lines as plain text, sealed as a save would seal them.
    const bool isProtected = choice & 2;
    const int mode = isProtected ? KeyModeUser : KeyModeCommon;
    std::vector<std::u16string> sealed;
    for (const std::u16string& line : lines) sealed.push_back(SealText(line, kAlgorithmBlowfish, mode));
    sealed.push_back(SealText(isProtected ? kProtectMarker : kUnprotectMarker, kAlgorithmBlowfish, mode));
    Harness plain;
    if (plain.load(fuzz::Utf16File(fuzz::WithCheckLine(sealed))) == kCardLoaded) {
        const IdentityRecord first = plain.record;
        plain.record.save(kCard, !isProtected);
        if (plain.record.load(kCard) != kCardLoaded) std::abort();
        if (plain.record.fields != first.fields || plain.record.customFields != first.customFields) std::abort();
    }
    return 0;
}
