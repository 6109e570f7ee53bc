// The Passcard Editor's end-to-end fixture: the demo user Alice as the
// companion CLI makes her, made the current user, and her cards read back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "wine/editor_support.h"

namespace tarnwick::testing {

class KesloweTest : public EditorTest {
protected:
    KesloweTest();
    void SetUp() override;

    // The CLI's new-passcard for `name`.vrc in Alice's folder, with the rest of its arguments.
    void newPasscard(std::u16string_view name, const std::wstring& arguments);
    // The card's file decoded by the CLI.
    std::string shown(std::u16string_view name);
    // The form's first field, once it reads `text`; null when it never did.
    HWND waitForFirstField(HWND window, const std::wstring& text);

    const std::wstring cli;
    std::u16string alice;
};

}  // namespace tarnwick::testing
