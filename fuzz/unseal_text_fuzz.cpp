// UnsealText on any text in every key mode, and SealText's round trip: what
// seals unseals to the same text cut at its first U+0000 or U+0014.
#include <cstdint>
#include <cstdlib>

#include "foundation/sealed_text.h"
#include "fuzz_input.h"
#include "platform/host/code_page_1252.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage1252 codePage;
    fuzz::FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    const int mode = choice % 3;
    const std::u16string algorithm = (choice & 0x80) ? u"blowfish" : kAlgorithmBlowfish;
    if (choice & 0x40) SetCurrentPrimaryPassword(fuzz::kFuzzPassword);
    else ClearCurrentPrimaryPassword();

    const std::u16string text = input.rest();
    UnsealText(text, algorithm, mode, codePage);

    if (algorithm == kAlgorithmBlowfish) {
        // The text as the code page keeps it, up to the pad or terminator byte.
        std::u16string kept =
            codePage.toWide(codePage.toNarrow(text, CodePage::Which::Thread), CodePage::Which::Thread);
        kept = kept.substr(0, kept.find_first_of(std::u16string_view(u"\0\x14", 2)));
        if (UnsealText(SealText(text, algorithm, mode, codePage), algorithm, mode, codePage) != kept) std::abort();
    }
    return 0;
}
