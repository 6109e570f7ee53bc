#include "platform/win32/win32_code_page.h"

namespace tarnwick {

const CodePage& NativeCodePage() {
    static const Win32CodePage codePage;
    return codePage;
}

}  // namespace tarnwick
