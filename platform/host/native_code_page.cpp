#include "platform/host/code_page_1252.h"

namespace tarnwick {

const CodePage& NativeCodePage() {
    static const CodePage1252 codePage;
    return codePage;
}

}  // namespace tarnwick
