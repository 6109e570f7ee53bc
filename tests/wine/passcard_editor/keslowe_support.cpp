#include "wine/passcard_editor/keslowe_support.h"

#include "foundation/toolbar_contract.h"
#include "support/own_windows.h"

namespace tarnwick::testing {

namespace {

constexpr DWORD kBoundMs = 30'000;
constexpr int kFirstFieldId = 2000;

}  // namespace

KesloweTest::KesloweTest() : EditorTest(L"Keslowe", TARNWICK_KESLOWE_PATH), cli(wine::ProgramPath(TARNWICK_CLI)) {}

void KesloweTest::SetUp() {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    const std::u16string dataRoot = folder.file(u"data");
    CreateFolder(dataRoot);
    alice = dataRoot + u"\\Alice";
    ASSERT_EQ(wine::RunCapturing(cli + L" new-user " + InQuotes(dataRoot) + L" Alice alice123").exitCode, 0u);
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
}

void KesloweTest::newPasscard(std::u16string_view name, const std::wstring& arguments) {
    const std::u16string file = alice + u"\\" + std::u16string(name) + u".vrc";
    ASSERT_EQ(wine::RunCapturing(cli + L" new-passcard " + InQuotes(file) + L" " + arguments).exitCode, 0u);
}

std::string KesloweTest::shown(std::u16string_view name) {
    return wine::RunCapturing(cli + L" show " + InQuotes(alice + u"\\" + std::u16string(name) + u".vrc")).text;
}

HWND KesloweTest::waitForFirstField(HWND window, const std::wstring& text) {
    HWND field = nullptr;
    const bool shownInTime = wine::WaitUntil(
        [&] { return (field = FindControl(window, kFirstFieldId)) != nullptr && AskedText(field) == text; }, kBoundMs);
    return shownInTime ? field : nullptr;
}

}  // namespace tarnwick::testing
