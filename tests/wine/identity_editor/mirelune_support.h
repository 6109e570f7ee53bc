// The Identity Editor's end-to-end fixture: the user "demo" made and
// registered by the CLI, the editor started on a card, and its form pane.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "wine/editor_support.h"

namespace tarnwick::testing {

class MireluneTest : public EditorTest {
protected:
    MireluneTest();
    void SetUp() override;

    // The CLI with these arguments, which must succeed.
    void cli(const std::u16string& arguments);
    // The card's file decoded by the CLI (one JSON object).
    std::string shown(std::u16string_view name, const std::u16string& password = u"");
    using EditorTest::start;
    HWND start(const std::u16string& commandLine) { return start(Wide(commandLine)); }
    // The form pane, once it shows `text` among its visible controls.
    HWND waitForForm(HWND window, const std::wstring& text);
    // The form pane, once it takes input.
    HWND waitForEnabledForm(HWND window);
    // The person table's input, on its tab, waited for until it shows.
    HWND personInput(HWND window, HWND form, int control);

    std::u16string user;
};

}  // namespace tarnwick::testing
