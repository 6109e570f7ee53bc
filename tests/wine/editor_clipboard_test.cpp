// Both editors' Copy under the real clipboard: the text with the four formats
// that keep it out of the clipboard history, the cloud and clipboard tools,
// emptied after the user's delay and when the editor ends first, but never
// when something else was copied since.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"
#include "identity_editor/identity_commands.h"
#include "passcard_editor/passcard_commands.h"
#include "platform/win32/win32_registry.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"
#include "wine/editor_support.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;

struct EditorCase {
    const char* name;
    const char* programPath;
    const wchar_t* windowClass;
    std::u16string_view card;  // the command line, after the user's folder
    unsigned copyCommand;
    const wchar_t* copied;  // a part of the card's text
};

// Names the case in ctest's listing.
void PrintTo(const EditorCase& shown, std::ostream* out) { *out << shown.name; }

const EditorCase kMirelune{"Mirelune", TARNWICK_MIRELUNE_PATH,  L"Mirelune",
                           u"\\Anna",  identity_command::kCopy, L"anna@example.org"};
const EditorCase kKeslowe{"Keslowe",     TARNWICK_KESLOWE_PATH,   L"Keslowe",
                          u"\\Mail.vrc", passcard_command::kCopy, L"Password : s3cret"};

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool clipboardEmpty() { return CountClipboardFormats() == 0; }

bool hasText(const wchar_t* part) {
    const auto text = testing::ClipboardText();
    return text && text->find(part) != std::wstring::npos;
}

// The DWORD of a registered format on the clipboard, if it is there.
std::optional<DWORD> formatDword(const wchar_t* name) {
    const UINT format = RegisterClipboardFormatW(name);
    if (format == 0 || !OpenClipboard(nullptr)) return std::nullopt;
    std::optional<DWORD> value;
    if (HANDLE data = GetClipboardData(format); data != nullptr && GlobalSize(data) >= sizeof(DWORD)) {
        if (const void* bytes = GlobalLock(data)) {
            DWORD read = 0;
            std::memcpy(&read, bytes, sizeof(read));
            value = read;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return value;
}

// Waits while this thread's windows answer: whoever empties the clipboard
// first asks its owner, this test's window, to let go of its text.
void answerFor(DWORD ms) {
    WaitUntil([] { return false; }, ms);
}

// Copies as the user copies in another program: this test's own window owns the text.
void copyOwnText(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();
}

class EditorClipboardTest : public ::testing::Test {
protected:
    explicit EditorClipboardTest(EditorCase shown) : editorCase(shown) {}

    void SetUp() override {
        ASSERT_EQ(wine::FindTopLevel(editorCase.windowClass, nullptr, 0), nullptr) << "an editor is left over";
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        const std::u16string dataRoot = folder.file(u"Data");
        cli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
        user = dataRoot + u"\\demo";
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org");
        cli(u"new-passcard \"" + user +
            u"\\Mail.vrc\" --url https://mail.example/ --field User:text:alice --field Password:password:s3cret");
        owner = CreateWindowExW(0, L"STATIC", L"user", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        editor.reset();
        if (owner != nullptr) DestroyWindow(owner);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
    }

    void cli(const std::u16string& arguments) {
        const testing::CliResult result = testing::RunWindowsCli(wide(arguments));
        ASSERT_EQ(result.exitCode, 0u) << result.error;
    }
    void setDelay(std::u16string_view seconds) {
        OptionStore(user, nullptr).WriteOption(u"[CLIPBOARDSECONDS]", seconds);
    }
    HWND start() {
        editor = std::make_unique<Program>(L"\"" + wine::ProgramPath(editorCase.programPath) + L"\" \"" +
                                           wide(user + std::u16string(editorCase.card)) + L"\"");
        EXPECT_TRUE(editor->started());
        return wine::WaitForTopLevel(editorCase.windowClass, nullptr, editor->id(), kBoundMs);
    }
    // Copy, sent (never posted: this process holds the clipboard only when the
    // editor is done with it), until the card is on show and its text copied.
    bool copy(HWND window) {
        return WaitUntil(
            [&] {
                SendMessageW(window, WM_COMMAND, MAKEWPARAM(editorCase.copyCommand, 0), 0);
                return hasText(editorCase.copied);
            },
            kBoundMs);
    }
    void closeEditor(HWND window) {
        COPYDATASTRUCT close{editor_code::kClose, 0, nullptr};
        SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
        DWORD exitCode = 1;
        EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode)) << editorCase.name << " did not end on copy-data 1";
    }

    EditorCase editorCase;
    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string user;
    std::unique_ptr<Program> editor;
    HWND owner = nullptr;
};

class EditorClipboard : public EditorClipboardTest, public ::testing::WithParamInterface<EditorCase> {
protected:
    EditorClipboard() : EditorClipboardTest(GetParam()) {}
};

class IdentityEditorClipboard : public EditorClipboardTest {
protected:
    IdentityEditorClipboard() : EditorClipboardTest(kMirelune) {}
};

TEST_P(EditorClipboard, CopyCarriesTheFourFormatsIsEmptiedAfterTheDelayAndAtTheEndButNeverOverWhatCameSince) {
    setDelay(u"2");
    const HWND window = start();
    ASSERT_NE(window, nullptr) << editorCase.name << " showed no window";
    ASSERT_TRUE(copy(window)) << "Copy never put the card's text on the clipboard";

    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")));
    EXPECT_EQ(formatDword(L"CanIncludeInClipboardHistory"), DWORD{0});
    EXPECT_EQ(formatDword(L"CanUploadToCloudClipboard"), DWORD{0});

    EXPECT_TRUE(WaitUntil(clipboardEmpty, kBoundMs)) << "the copied card stayed on the clipboard";

    // Copied again, then the user copies something else: the delay passes over it.
    ASSERT_TRUE(copy(window));
    copyOwnText(owner, L"the user's own text");
    answerFor(4'000);
    EXPECT_EQ(testing::ClipboardText(), L"the user's own text");

    // Copied again and the editor closed before the delay: the card goes with it.
    ASSERT_TRUE(copy(window));
    closeEditor(window);
    EXPECT_TRUE(clipboardEmpty()) << "the card outlived the editor on the clipboard";
}

INSTANTIATE_TEST_SUITE_P(BothEditors, EditorClipboard, ::testing::Values(kMirelune, kKeslowe),
                         [](const ::testing::TestParamInfo<EditorCase>& shown) { return shown.param.name; });

// Without the option the card stays 12 seconds, then goes. A timer never
// fires early, so the first check holds however slow the machine.
TEST_F(IdentityEditorClipboard, WithoutTheOptionTheCardStaysTwelveSecondsThenGoes) {
    const HWND window = start();
    ASSERT_NE(window, nullptr) << "Mirelune showed no window";
    ASSERT_TRUE(copy(window)) << "Copy never put the card's text on the clipboard";
    answerFor(10'000);
    EXPECT_TRUE(hasText(editorCase.copied)) << "emptied before the default delay";
    EXPECT_TRUE(WaitUntil(clipboardEmpty, kBoundMs)) << "the copied card stayed on the clipboard";
    closeEditor(window);
}

}  // namespace
}  // namespace tarnwick
