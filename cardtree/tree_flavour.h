// What tells the two editors' library trees apart: the card extension, the
// card wording of the messages, the code of a card's single change notice,
// the command ids of the tree's menu commands and the name dialogs' titles and labels.
#pragma once

#include <string_view>

#include "foundation/message_box.h"

namespace tarnwick {

// The tree's commands (WM_COMMAND ids of the editor window and the context menus).
struct TreeCommandIds {
    unsigned newFolder;
    unsigned deleteFolder;
    unsigned renameFolder;
    unsigned copyFolder;
    unsigned cutFolder;
    unsigned paste;
    unsigned exploreFolder;
    unsigned refreshFolder;
    unsigned deleteCard;
    unsigned renameCard;
    unsigned copyCard;
    unsigned cutCard;
    unsigned toggleProtection;  // "&Protected", carried out by the editor
};

struct TreeFlavour {
    std::u16string_view extension;  // ".vrt" or ".vrc"
    CardKind cardKind;
    int cardNoticeKind;  // notify_kind of a change to cards only
    TreeCommandIds commands;
    // Name dialogs: catalogue keys of the titles, and the labels.
    std::u16string_view newFolderTitleKey;
    std::u16string_view renameFolderTitleKey;
    std::u16string_view renameCardTitleKey;
    std::u16string_view cardNameLabel;  // "Identity Name :"
    // Catalogue keys of the card texts.
    std::u16string_view cardNameRuleKey;
    std::u16string_view copyCardFailureKey;
    std::u16string_view cutCardFailureKey;
    std::u16string_view deleteCardFailureKey;
    std::u16string_view renameCardFailureKey;
    // Control ids of the name dialogs' edit boxes (0: the dialog's own).
    int newFolderEditId = 0;
    int renameFolderEditId = 0;
    int renameCardEditId = 0;
};

const TreeFlavour& IdentityTreeFlavour();
const TreeFlavour& PasscardTreeFlavour();

inline constexpr std::u16string_view kFolderNameLabel = u"Folder Name :";

}  // namespace tarnwick
