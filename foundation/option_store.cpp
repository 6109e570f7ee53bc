#include "foundation/option_store.h"

#include <cstdio>
#include <vector>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/text_file.h"

namespace tarnwick {

std::u16string OptionFilePath(std::u16string_view userFolder) {
    std::u16string path(userFolder);
    path += u'\\';
    path += kOptionFileName;
    return path;
}

OptionRead ReadOptionLine(std::u16string_view userFolder, std::u16string_view key, FileSystem& files,
                          const CodePage& codePage) {
    OptionRead result;
    CTextFileReader reader(files, codePage);
    if (!reader.open(OptionFilePath(userFolder))) return result;
    // The last line read decides whether the file looks damaged: the value
    // line when the key is found, else the file's last line.
    std::u16string line;
    std::u16string last;
    bool any = false;
    try {
        while (reader.readLine(line)) {
            any = true;
            last = line;
            if (line != key) continue;
            if (reader.readLine(line)) {
                result.value = line;
                last = line;
            }
            break;
        }
    } catch (const CTextFileException&) {
        // A read that fails part-way counts as the end of the file.
    }
    reader.close();
    result.lastLineEmpty = !any || last.empty();
    return result;
}

void WriteOptionLine(std::u16string_view userFolder, std::u16string_view key, std::u16string_view value,
                     FileSystem& files, const CodePage& codePage) {
    const std::u16string path = OptionFilePath(userFolder);
    // Only a missing file starts empty; one that cannot be read stays as it is.
    std::vector<std::u16string> lines = ReadTextLinesToRewrite(path, files, codePage);
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != key) ++at;
    if (at == lines.size()) {
        lines.emplace_back(key);
        lines.emplace_back(value);
    } else if (at + 1 == lines.size()) {
        lines.emplace_back(value);
    } else {
        lines[at + 1] = std::u16string(value);
    }
    WriteTextLines(path, lines, kEncodingUtf16LittleEndian, files, codePage);
}

int OptionInteger(std::u16string_view value) {
    std::size_t i = 0;
    // strtol's white space: blank, \t \n \v \f \r.
    while (i < value.size() && (value[i] == u' ' || (value[i] >= u'\t' && value[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) negative = value[i++] == u'-';
    // strtol saturates at the limits of a 32-bit long on Windows.
    long long magnitude = 0;
    constexpr long long kLimit = 2147483648LL;
    for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (value[i] - u'0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int>(-magnitude);
    return static_cast<int>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}

bool OptionFlag(std::u16string_view value) { return value != u"0"; }

std::u16string OptionIntegerText(int value) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%d", value);
    return std::u16string(buffer, buffer + n);
}

OptionStore::OptionStore(std::u16string userFolder, Prompts* reportTo, FileSystem& files,
                         const MessageCatalogue& catalogue, const CodePage& codePage)
    : userFolder_(std::move(userFolder)),
      reportTo_(reportTo),
      files_(files),
      catalogue_(catalogue),
      codePage_(codePage) {}

std::u16string OptionStore::ReadOption(std::u16string_view key) const {
    OptionRead read = ReadOptionLine(userFolder_, key, files_, codePage_);
    if (reportTo_ && read.lastLineEmpty) {
        ShowMessage(*reportTo_, reportTo_->activeWindow(), kErrorBox, catalogue_key::kDamagedOptions, catalogue_);
    }
    return std::move(read.value);
}

std::u16string OptionStore::ReadOptionQuietly(std::u16string_view key) const {
    return ReadOptionLine(userFolder_, key, files_, codePage_).value;
}

void OptionStore::WriteOption(std::u16string_view key, std::u16string_view value) const {
    WriteOptionLine(userFolder_, key, value, files_, codePage_);
}

}  // namespace tarnwick
