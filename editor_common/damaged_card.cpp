#include "editor_common/damaged_card.h"

#include "cardtree/tree_path.h"
#include "editor_common/card_name.h"
#include "foundation/catalogue/catalogue_keys.h"

namespace tarnwick {

std::u16string TreatDamagedCard(Prompts& prompts, FileSystem& files, WindowRef owner, CardKind kind,
                                std::u16string_view rootPath, const std::u16string& itemPath,
                                std::u16string_view extension, const MessageCatalogue& catalogue) {
    const std::u16string question =
        DamagedCardQuestion(kind, CardPathBelowRoot(rootPath, itemPath, extension), catalogue);
    if (ShowMessageText(prompts, owner, kDamagedCardBox, question, catalogue) == kIdYes &&
        files.deleteFile(itemPath + std::u16string(extension)) != kErrorSuccess) {
        ShowMessage(prompts, owner, kErrorBox, catalogue_key::kDeleteFileFailure, catalogue);
    }
    return std::u16string(ParentPath(itemPath));
}

}  // namespace tarnwick
