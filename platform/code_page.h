// Wide <-> narrow text conversion in the Windows ANSI code pages.
// The codec and the digest use the thread code page, the ANSI text reader the
// system code page. Conversions behave as WideCharToMultiByte/MultiByteToWideChar
// with no flags: best-fit mappings and the default character included.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class CodePage {
public:
    enum class Which {
        Thread,  // CP_THREAD_ACP
        System,  // CP_ACP
    };

    virtual ~CodePage() = default;

    virtual std::string toNarrow(std::u16string_view wide, Which which) const = 0;
    virtual std::u16string toWide(std::string_view narrow, Which which) const = 0;
};

// The adapter of the platform the program was built for (Win32 calls on
// Windows, the code page 1252 tables on the host).
const CodePage& NativeCodePage();

}  // namespace tarnwick
