// Find in the Identity Editor: Ctrl+F opens the box over the tree, Enter
// selects the identity card holding the text in a value (inside a folder not
// opened yet) after saving the card edited.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/toolbar_contract.h"
#include "htmlform/win32/form_view_ids.h"
#include "identity_editor/resources/mirelune_resources.h"
#include "support/own_windows.h"
#include "wine/identity_editor/mirelune_support.h"

namespace tarnwick {
namespace {

using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kEmailInput = kFirstFormControlId + 8;
constexpr int kFindBoxId = 41303;

class MireluneFindEndToEnd : public testing::MireluneTest {
protected:
    void SetUp() override {
        MireluneTest::SetUp();
        if (HasFatalFailure()) return;
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org");
        testing::CreateFolder(user + u"\\Archive");
        cli(u"new-identity \"" + user + u"\\Archive\\Dora.vrt\" --set EMAIL=dora@quayside.net");
        window = start(user + u"\\Anna");
        ASSERT_NE(window, nullptr);
        ASSERT_NE(form = waitForEnabledForm(window), nullptr);
    }
    std::wstring email() { return testing::AskedText(personInput(window, form, kEmailInput)); }

    HWND window = nullptr;
    HWND form = nullptr;
};

TEST_F(MireluneFindEndToEnd, EnterSelectsTheCardHoldingTheTextAfterSavingTheEdits) {
    HWND input = personInput(window, form, kEmailInput);
    ASSERT_NE(input, nullptr);
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"anna@changed.org"));

    PostMessageW(window, WM_COMMAND, ID_EDIT_FIND, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (box = testing::FindControl(window, kFindBoxId)) != nullptr && IsWindowVisible(box); }, kBoundMs))
        << "Find opened no box";
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"QUAYSIDE"));
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return email() == L"dora@quayside.net"; }, kBoundMs)) << "Dora is not on the form";
    const std::string anna = shown(u"Anna");
    EXPECT_NE(anna.find("anna@changed.org"), std::string::npos) << "the edit was not saved first: " << anna;
}

}  // namespace
}  // namespace tarnwick
