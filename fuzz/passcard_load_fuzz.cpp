// Passcard loads: the input as a card file; the same file with a right check
// line; and the input's lines as the plain lines of a passcard, sealed as the
// record seals them. A passcard that loads saves and loads again unchanged,
// and its default and protection operations keep it loadable.
#include <cstdint>
#include <cstdlib>

#include "foundation/sealed_text.h"
#include "fuzz_input.h"
#include "cards/passcard_layout.h"
#include "cards/passcard_record.h"

using namespace tarnwick;

namespace {

const std::u16string kCard = u"C:\\data\\Alice\\Shop.vrc";

struct Harness : fuzz::CardHarness<PasscardRecord> {
    Harness() : CardHarness(kCard) {}
};

bool sameFields(const PasscardRecord& a, const PasscardRecord& b) {
    return a.matchKey == b.matchKey && a.url == b.url && a.fieldNames == b.fieldNames && a.fieldTypes == b.fieldTypes &&
           a.fieldValues == b.fieldValues &&
           // A save writes any mark but "DEFAULT" as "UNDEFAULT".
           (a.defaultMarker == kDefaultMarker) == (b.defaultMarker == kDefaultMarker) &&
           a.protectionMarker == b.protectionMarker;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    const std::string bytes = input.restBytes();
    if (choice & 1) SetCurrentPrimaryPassword(fuzz::kFuzzPassword);
    else ClearCurrentPrimaryPassword();

    Harness raw;
    raw.load(bytes);
    raw.record.isDefault(kCard);
    raw.record.setDefault(kCard, choice & 4);

    std::vector<std::u16string> lines =
        fuzz::SplitLines(fuzz::WideOf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!lines.empty() && !lines[0].empty() && lines[0][0] == 0xFEFF) lines[0].erase(0, 1);
    if (lines.size() >= 2) {
        lines.pop_back();
        Harness checked;
        checked.load(fuzz::Utf16File(fuzz::WithCheckLine(lines)));
        checked.record.setProtection(kCard, choice & 8);
    }

    // The input's lines as plain text: match key, address, fields, default
    // mark, then the marker the card's protection asks for.
    const bool isProtected = choice & 2;
    const int body = isProtected ? KeyModeUser : KeyModeCommon;
    lines.resize(kPasscardFixedLines - 2 + 3 * ((lines.size() + 1) / 3));
    std::vector<std::u16string> sealed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool common = i == 0 || i + 1 == lines.size();
        sealed.push_back(SealText(lines[i], kAlgorithmBlowfish, common ? KeyModeCommon : body));
    }
    sealed.push_back(SealText(isProtected ? kProtectMarker : kUnprotectMarker, kAlgorithmBlowfish, body));
    Harness plain;
    if (plain.load(fuzz::Utf16File(fuzz::WithCheckLine(sealed))) == kCardLoaded) {
        const PasscardRecord first = plain.record;
        if (plain.record.save(kCard) != CardWriteResult::Written) std::abort();
        if (plain.record.load(kCard) != kCardLoaded || !sameFields(first, plain.record)) std::abort();
        plain.record.setProtection(kCard, !isProtected);
        plain.record.setDefault(kCard, choice & 4);
        if (plain.record.load(kCard) != kCardLoaded) std::abort();
    }
    return 0;
}
