// What tells the two editors' library trees apart: the card extension, the
// card wording of the messages, the code of a card's single change notice,
// the command ids of T1 to T13 and the name dialogs' titles and labels.
#pragma once

#include <string_view>

#include "foundation/message_box.h"

namespace tarnwick {

// The tree's commands (WM_COMMAND ids of the editor window and the context menus).
struct TreeCommandIds {
    unsigned newFolder;         // T1
    unsigned deleteFolder;      // T2
    unsigned renameFolder;      // T3
    unsigned copyFolder;        // T4
    unsigned cutFolder;         // T5
    unsigned paste;             // T6
    unsigned exploreFolder;     // T7
    unsigned refreshFolder;     // T8
    unsigned deleteCard;        // T9
    unsigned renameCard;        // T10
    unsigned copyCard;          // T11
    unsigned cutCard;           // T12
    unsigned toggleProtection;  // T13, carried out by the editor
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
};

const TreeFlavour& IdentityTreeFlavour();
const TreeFlavour& PasscardTreeFlavour();

inline constexpr std::u16string_view kFolderNameLabel = u"Folder Name :";

}  // namespace tarnwick
