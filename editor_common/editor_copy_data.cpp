#include "editor_common/editor_copy_data.h"

#include "editor_common/editor_startup.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {

std::intptr_t HandleEditorCopyData(const ReceivedCopyData& request, EditorRequests& editor) {
    switch (request.code) {
        case editor_code::kReload:
            // No text, or a malformed one, selects the current item.
            editor.reloadAndSelect(std::u16string(UnquotedPath(request.text.value_or(std::u16string()))));
            return static_cast<std::intptr_t>(editor_code::kReload);
        case editor_code::kClose:
            editor.closeWithoutAsking();
            return static_cast<std::intptr_t>(editor_code::kClose);
        case editor_code::kForgetPassword:
            editor.forgetPrimaryPassword();
            return static_cast<std::intptr_t>(editor_code::kForgetPassword);
        default:
            return 0;
    }
}

std::intptr_t HandleEditorCopyData(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData,
                                   EditorRequests& editor) {
    return HandleEditorCopyData(ReceiveCopyData(dwData, cbData, lpData), editor);
}

}  // namespace tarnwick
