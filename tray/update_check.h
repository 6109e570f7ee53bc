// The start-up update check: downloads the vendor's update file into the data
// root, compares the offered version with this one and, when they differ,
// asks whether to open the download page.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/message_catalogue.h"
#include "foundation/window_signals.h"
#include "platform/code_page.h"
#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

inline constexpr std::u16string_view kCurrentVersion = u"1.0.0";
inline constexpr std::u16string_view kUpdateFileName = u"Update.log";
inline constexpr std::u16string_view kDefaultUpdateAddress = u"http://www.tarnwick.com/Update.txt";
inline constexpr std::u16string_view kDownloadPagePath = u"/download.htm";
// Tests and demos point the check at a server of their own.
inline constexpr char kUpdateAddressVariable[] = "TARNWICK_UPDATE_URL";
inline constexpr int kDownloadTimeLimitSeconds = 120;

// The update file's address: the override when one is given and not empty.
std::u16string UpdateFileAddress(const std::optional<std::u16string>& override);
// The download page on the same site as the update file.
std::u16string DownloadPageAddress(std::u16string_view updateAddress);

// The offered version of an update file's lines: line 1 exactly "[VERSION]",
// line 2 not empty. Nothing when the file does not have that form.
std::optional<std::u16string> OfferedVersion(const std::vector<std::u16string>& lines);
// "Tarnwick : Version X is available. You are using version 1.0.0\nUpgrade now?"
std::u16string UpdateQuestion(std::u16string_view offered);

class UpdateCheck {
public:
    UpdateCheck(Downloader& downloader, FileSystem& files, const CodePage& codePage, Prompts& prompts,
                WindowSignals& signals, const MessageCatalogue& catalogue);

    // The whole check for a data root: download, compare, ask, open the page.
    void run(std::u16string_view dataRoot, std::u16string_view updateAddress);
    // The comparison and the question on an update file already in place.
    void compare(const std::u16string& updateFile, std::u16string_view updateAddress);

private:
    Downloader& downloader_;
    FileSystem& files_;
    const CodePage& codePage_;
    Prompts& prompts_;
    WindowSignals& signals_;
    const MessageCatalogue& catalogue_;
};

}  // namespace tarnwick
