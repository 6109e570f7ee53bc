#include "tray/update_check.h"

#include "foundation/message_box.h"
#include "foundation/text_file.h"
#include "foundation/windows_path.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kVersionTag = u"[VERSION]";

}  // namespace

std::u16string UpdateFileAddress(const std::optional<std::u16string>& override) {
    if (override && !override->empty()) return *override;
    return std::u16string(kDefaultUpdateAddress);
}

std::u16string DownloadPageAddress(std::u16string_view updateAddress) {
    // The site is everything before the first "/" after "scheme://".
    std::size_t from = updateAddress.find(u"://");
    from = from == std::u16string_view::npos ? 0 : from + 3;
    const std::size_t pathStart = updateAddress.find(u'/', from);
    std::u16string page(updateAddress.substr(0, pathStart));
    page += kDownloadPagePath;
    return page;
}

std::optional<std::u16string> OfferedVersion(const std::vector<std::u16string>& lines) {
    if (lines.size() < 2 || lines[0] != kVersionTag || lines[1].empty()) return std::nullopt;
    return lines[1];
}

std::u16string UpdateQuestion(std::u16string_view offered) {
    std::u16string text = u"Tarnwick : Version ";
    text += offered;
    text += u" is available. You are using version ";
    text += kCurrentVersion;
    text += u"\nUpgrade now?";
    return text;
}

UpdateCheck::UpdateCheck(Downloader& downloader, FileSystem& files, const CodePage& codePage, Prompts& prompts,
                         WindowSignals& signals, const MessageCatalogue& catalogue)
    : downloader_(downloader),
      files_(files),
      codePage_(codePage),
      prompts_(prompts),
      signals_(signals),
      catalogue_(catalogue) {}

void UpdateCheck::run(std::u16string_view dataRoot, std::u16string_view updateAddress) {
    const std::u16string file = JoinPath(dataRoot, kUpdateFileName);
    if (!downloader_.download(updateAddress, file, kDownloadTimeLimitSeconds)) return;
    compare(file, updateAddress);
}

void UpdateCheck::compare(const std::u16string& updateFile, std::u16string_view updateAddress) {
    std::vector<std::u16string> lines;
    try {
        lines = ReadTextLines(updateFile, files_, codePage_);
    } catch (const CTextFileException&) {
        return;  // an unreadable file asks nothing
    }
    const auto offered = OfferedVersion(lines);
    if (!offered || *offered == kCurrentVersion) return;
    const int answer = ShowMessageText(prompts_, kNoWindow, kQuestionBox, UpdateQuestion(*offered), catalogue_);
    if (answer == kIdYes) signals_.OpenPageInBrowser(DownloadPageAddress(updateAddress));
}

}  // namespace tarnwick
