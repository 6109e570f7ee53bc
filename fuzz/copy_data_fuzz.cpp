// The tray program's copy-data receiver and dispatch: a run of messages with
// any code, size and bytes, decoded as a message from another process is and
// handed to the service, on a data root held in a recording memory file system.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "cards/card_file.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "platform/copy_data.h"
#include "foundation/sealed_text.h"
#include "fuzz_input.h"
#include "platform/host/code_page_1252.h"
#include "platform/host/host_registry.h"
#include "support/recording_windows.h"
#include "support/tray_fakes.h"
#include "tray/tray_service.h"

using namespace tarnwick;

namespace {

constexpr CopyDataCode kCodes[] = {tray_code::kRemoveUser,
                                   tray_code::kSelectUser,
                                   tray_code::kSelectUserAgain,
                                   tray_code::kBackUpUser,
                                   tray_code::kPasscardsChanged,
                                   tray_code::kImportUser,
                                   tray_code::kIdentitiesChanged,
                                   tray_code::kReloadBossKey,
                                   tray_code::kCloseEditorsAndBrowsers,
                                   tray_code::kClearPasscardToolbarKey,
                                   tray_code::kClearIdentityToolbarKey,
                                   tray_code::kReloadEverything,
                                   tray_code::kLock,
                                   tray_code::kSnapshotProxy,
                                   tray_code::kSetProxyEnabled,
                                   tray_code::kSetProxyServer,
                                   tray_code::kReadPopupsSetting};

std::string sealedCard(std::u16string_view firstLine) {
    std::vector<std::u16string> lines = {SealText(firstLine, kAlgorithmBlowfish, KeyModeCommon),
                                         SealText(u"UNPROTECT", kAlgorithmBlowfish, KeyModeCommon)};
    lines.push_back(CardCheckLine(lines, lines.size()));
    return fuzz::Utf16File(lines);
}

// Two users under "C:\data", Alice current, with options and a few cards.
void layOut(testing::MemoryFileSystem& files, Registry& keys) {
    files.addFile(u"C:\\data\\Alice\\option.vro", fuzz::Utf16File({u"[KEY]", u"0", u"[BOSSKEY]", u"1|0|81"}));
    files.addFile(u"C:\\data\\Alice\\Shop.vrc", sealedCard(u"shop.example"));
    files.addFile(u"C:\\data\\Alice\\Web\\Mail.vrc", sealedCard(u"mail.example"));
    files.addFile(u"C:\\data\\Alice\\Me.vrt", sealedCard(u"Me"));
    files.addFile(u"C:\\data\\Bob\\option.vro", fuzz::Utf16File({u"[KEY]", u"0"}));
    files.addFile(u"C:\\data\\Bob\\Bank.vrc", sealedCard(u"bank.example"));
    files.addFile(u"C:\\backup\\Carol\\option.vro", fuzz::Utf16File({u"[KEY]", u"0"}));
    keys.writeString(registry::kTarnwickKey, registry::kRootUserValue, u"C:\\data\\Alice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage1252 codePage;
    static const MessageCatalogue catalogue{TrayCatalogueRows(DisplayLanguage::English)};
    fuzz::FuzzInput input(data, size);

    testing::MemoryFileSystem files;
    HostRegistry keys;
    layOut(files, keys);
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    fuzz::SilentPrompts prompts;
    testing::MemorySections sections;
    testing::RecordingHotKeys hotKeys;
    testing::RecordingDisplay display;
    testing::FolderCopyShell shell{files};
    testing::RecordingInternetSettings internet;
    testing::RecordingProcesses processes;
    windows.addTopLevel(window_class::kBrowserFrame, u"Browser");
    windows.addTopLevel(window_class::kPasscardEditor, u"Editor");

    TrayService service(TrayPorts{files, codePage, keys, windows, launcher, prompts, sections, hotKeys, display, shell,
                                  internet, processes, catalogue});
    // No first publication: the messages that change the lists publish them.
    service.start();
    service.onCreate(windows.addTopLevel(window_class::kTray, kTrayWindowTitle));

    for (int message = 0; message < 8 && !input.empty(); ++message) {
        const std::uint8_t pick = input.byte();
        const CopyDataCode code = pick < 2 * std::size(kCodes) ? kCodes[pick % std::size(kCodes)] : pick;
        // cbData as sent; the system copies exactly that many bytes, or the
        // sender passes no data at all.
        const std::size_t low = input.byte();
        const std::size_t cbData = low | (static_cast<std::size_t>(input.byte() & 0x03) << 8);
        const bool noData = input.byte() == 0xFF;
        const std::string bytes = input.bytes(cbData);
        auto buffer = std::make_unique<std::uint8_t[]>(cbData ? cbData : 1);
        std::memcpy(buffer.get(), bytes.data(), bytes.size());
        const ReceivedCopyData received =
            ReceiveCopyData(code, static_cast<std::uint32_t>(cbData), noData ? nullptr : buffer.get());
        service.onCopyData(received.code, received.text);
    }
    return 0;
}
