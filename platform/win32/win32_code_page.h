// The code-page port over WideCharToMultiByte / MultiByteToWideChar in the
// thread's or the system's ANSI code page, with no flags and the system's
// default character.
#pragma once

#include "platform/code_page.h"

namespace tarnwick {

class Win32CodePage : public CodePage {
public:
    std::string toNarrow(std::u16string_view wide, Which which) const override;
    std::u16string toWide(std::string_view narrow, Which which) const override;
};

}  // namespace tarnwick
