#include "identity_editor/new_identity_dialog.h"

#include "cardtree/name_rule.h"
#include "cardtree/tree_path.h"
#include "editor_common/card_name.h"
#include "editor_common/decimal_text.h"
#include "editor_common/editor_texts.h"
#include "editor_common/save_failure.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/sealable_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "cards/identity_tags.h"

namespace tarnwick {
namespace {

// Beyond this many numbered names the folder is taken as unwritable.
constexpr unsigned kMostNumberedFolders = 10000;

bool exists(FileSystem& files, const std::u16string& path) {
    FolderEntry entry;
    return files.queryEntry(path, entry) == kErrorSuccess;
}

}  // namespace

TreeContextMenu ChooserContextMenu(ItemKind kind) {
    if (kind != ItemKind::Folder) return {u"NEWFILETREE", {}};
    return {u"NEWFILETREE", {{kChooserDeleteFolder, u"&Delete"}, {kChooserRenameFolder, u"&Rename..."}}};
}

bool RunChooserCommand(CardTree& chooser, unsigned id, const TreeSelection& selected) {
    if (selected.kind != ItemKind::Folder) return false;
    if (id == kChooserDeleteFolder) {
        chooser.deleteFolder(selected);
    } else if (id == kChooserRenameFolder) {
        chooser.renameFolder(selected);
    } else {
        return false;
    }
    return true;
}

NewIdentityDialog::NewIdentityDialog(UserProfile& profile, IdentityRecord& record, WindowSignals& signals,
                                     FileSystem& files, const MessageCatalogue& catalogue)
    : profile_(profile),
      record_(record),
      signals_(signals),
      files_(files),
      catalogue_(catalogue),
      protect_(profile.options().IdentityProtect()) {}

bool NewIdentityDialog::hotKey(int id) {
    for (const DialogHotKey& key : kNewIdentityHotKeys) {
        if (key.id == id) {
            toggleProtect();
            return true;
        }
    }
    return false;
}

std::optional<std::u16string> NewIdentityDialog::newFolder(WindowRef dialog, const std::u16string& parent) {
    const std::u16string& base = catalogue_.Lookup(catalogue_key::kNewFolderName);
    std::uint32_t error = kErrorAlreadyExists;
    for (unsigned n = 0; n <= kMostNumberedFolders; ++n) {
        const std::u16string name = n == 0 ? base : base + u" - " + DecimalText(n);
        const std::u16string path = JoinPath(parent, name);
        if (!FitsPathBuffer(path)) {
            error = kErrorFilenameExcedRange;
            break;
        }
        error = files_.createFolder(path);
        if (error == kErrorAlreadyExists || error == kErrorFileExists) continue;
        if (error != kErrorSuccess) break;
        // The folder tree is shared by both libraries.
        signals_.NotifyTray(notify_kind::kPasscards, path);
        signals_.NotifyTray(notify_kind::kIdentities, path);
        return path;
    }
    std::u16string text(editor_text::kFolderNotCreated);
    text += parent;
    text += u'\n';
    text += SystemErrorText(error);
    ShowMessageText(profile_.prompts(), dialog, kErrorBox, text, catalogue_);
    return std::nullopt;
}

bool NewIdentityDialog::accept(WindowRef dialog, const std::u16string& typedName) {
    Prompts& prompts = profile_.prompts();
    if (protect_ && !profile_.EnsurePrimaryPassword(dialog)) {
        protect_ = false;
        return false;
    }
    const auto name = ApplyNameRule(typedName);
    if (!name) {
        ShowMessage(prompts, dialog, kWarningBox, catalogue_key::kIdentityNameRule, catalogue_);
        return false;
    }
    const std::u16string folder = chooserFolder_.value_or(profile_.userFolder());
    const std::u16string path = JoinPath(folder, *name + std::u16string(kIdentityCardExtension));
    if (exists(files_, path)) {
        ShowMessage(prompts, dialog, kErrorBox, catalogue_key::kSameNameInFolder, catalogue_);
        return false;
    }
    const std::u16string shownName = CardPathBelowRoot(profile_.userFolder(), path, kIdentityCardExtension);
    if (!FitsPathBuffer(path)) {
        ReportSaveFailure(prompts, dialog, shownName, SystemErrorText(kErrorFilenameExcedRange), catalogue_);
        return false;
    }
    try {
        if (record_.createNewCard(path, *name, !protect_) != CardWriteResult::Written) return false;
    } catch (const CTextFileException& failure) {
        ReportSaveFailure(prompts, dialog, shownName, SystemErrorText(failure.errorCode()), catalogue_);
        return false;
    } catch (const UnsealableTextError& refusal) {
        // A name the code page cannot hold: the dialog stays, the name can be changed.
        ReportSaveFailure(prompts, dialog, shownName, refusal.message(), catalogue_);
        return false;
    }
    createdPath_ = path;
    signals_.NotifyTray(notify_kind::kIdentities, path);
    return true;
}

}  // namespace tarnwick
