#include "wine/identity_editor/mirelune_support.h"

#include <commctrl.h>

#include "support/own_windows.h"
#include "support/windows_cli.h"

namespace tarnwick::testing {

namespace {

constexpr DWORD kBoundMs = 30'000;
constexpr int kPersonTab = 1;

}  // namespace

MireluneTest::MireluneTest() : EditorTest(L"Mirelune", TARNWICK_MIRELUNE_PATH) {}

void MireluneTest::SetUp() {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    const std::u16string dataRoot = folder.file(u"Data");
    cli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
    user = dataRoot + u"\\demo";
}

void MireluneTest::cli(const std::u16string& arguments) {
    const CliResult result = RunWindowsCli(Wide(arguments));
    ASSERT_EQ(result.exitCode, 0u) << result.error;
}

std::string MireluneTest::shown(std::u16string_view name, const std::u16string& password) {
    std::u16string arguments = u"show \"" + user + u"\\" + std::u16string(name) + u".vrt\"";
    if (!password.empty()) arguments += u" --password " + password;
    return RunWindowsCli(Wide(arguments)).out;
}

HWND MireluneTest::waitForForm(HWND window, const std::wstring& text) {
    HWND form = nullptr;
    const bool seen = wine::WaitUntil(
        [&] {
            form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr);
            return form != nullptr && VisibleTexts(form).find(text) != std::wstring::npos;
        },
        kBoundMs);
    EXPECT_TRUE(seen) << "the form never showed " << Narrow(text) << ": "
                      << (form ? Narrow(VisibleTexts(form)) : std::string("no form"));
    return form;
}

HWND MireluneTest::waitForEnabledForm(HWND window) {
    HWND form = nullptr;
    const bool enabled = wine::WaitUntil(
        [&] { return (form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr)) && IsWindowEnabled(form); },
        kBoundMs);
    return enabled ? form : nullptr;
}

HWND MireluneTest::personInput(HWND window, HWND form, int control) {
    HWND tabs = FindControl(window, 0, WC_TABCONTROLW);
    if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != kPersonTab) SendMessageW(tabs, TCM_SETCURFOCUS, kPersonTab, 0);
    HWND input = nullptr;
    wine::WaitUntil([&] { return (input = FindControl(form, control)) != nullptr && IsWindowVisible(input); },
                    kBoundMs);
    return input;
}

}  // namespace tarnwick::testing
