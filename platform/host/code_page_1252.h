// Code page 1252 converted exactly as WideCharToMultiByte/MultiByteToWideChar do
// with no flags (best-fit mappings, '?' as the default character): the host's
// ANSI code page for both Which values, and the reference the Windows tests hold
// the real conversion to.
#pragma once

#include "platform/code_page.h"

namespace tarnwick {

class CodePage1252 : public CodePage {
public:
    std::string toNarrow(std::u16string_view wide, Which which) const override;
    std::u16string toWide(std::string_view narrow, Which which) const override;
};

}  // namespace tarnwick
