// The tray program's card lists: a user folder of any names, depths and file
// contents, some of them cards that pass the check, listed and published.
#include <cstdint>
#include <cstdlib>

#include "cards/card_file.h"
#include "foundation/sealed_text.h"
#include "fuzz_input.h"
#include "platform/host/code_page_1252.h"
#include "support/tray_fakes.h"
#include "tray/card_list_publisher.h"
#include "tray/card_lists.h"

using namespace tarnwick;

namespace {

const std::u16string kUser = u"C:\\data\\Alice";

// The lines sealed with the common key, and their check line.
std::string checkedCard(const std::vector<std::u16string>& plain) {
    std::vector<std::u16string> lines;
    for (const std::u16string& line : plain) lines.push_back(SealText(line, kAlgorithmBlowfish, KeyModeCommon));
    lines.push_back(CardCheckLine(lines, lines.size()));
    return fuzz::Utf16File(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage1252 codePage;
    fuzz::FuzzInput input(data, size);
    testing::MemoryFileSystem files;
    files.addFile(kUser + u"\\option.vro", fuzz::Utf16File({u"[KEY]", u"0"}));

    // Entries: a kind, a relative name (a backslash makes folders), the length
    // of the contents (two bytes, little-endian) and the contents.
    for (int entry = 0; entry < 64 && !input.empty(); ++entry) {
        const std::uint8_t kind = input.byte();
        std::u16string name = input.text(input.byte());
        if (kind & 1) name += kind & 2 ? u".vrc" : u".vrt";
        const std::u16string path = kUser + u"\\" + name;
        const std::size_t low = input.byte();
        const std::size_t length = low | (std::size_t{input.byte()} << 8);
        const std::string bytes = input.bytes(length);
        if (kind & 4) {
            files.addFolder(path);
        } else if (kind & 8) {
            files.addFile(path, checkedCard(fuzz::SplitLines(
                                    fuzz::WideOf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))));
        } else {
            files.addFile(path, bytes);
        }
    }

    CardListBuilder builder(files, codePage);
    const CardLists lists = builder.buildAll(kUser);
    if (lists.passcards.size() != lists.matchKeys.size()) std::abort();
    testing::MemorySections sections;
    CardListPublisher publisher(builder, sections);
    // One publication: the section is large, and its blocks are what counts.
    publisher.PublishCardLists(kUser);
    return 0;
}
