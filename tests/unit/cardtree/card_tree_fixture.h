// A library tree on a real temporary folder (through a file system that fails
// where a test says), with scripted dialogs, a recording window system holding
// a tray window, and the catalogue of the editor served.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cardtree/card_tree.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/toolbar_contract.h"
#include "foundation/window_signals.h"
#include "platform/host/host_file_system.h"
#include "support/faulty_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace tarnwick::testing {

// A notice as the tray window received it.
struct Notice {
    CopyDataCode code;
    std::u16string path;
    bool operator==(const Notice&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Notice& notice) {
    out << notice.code << " ";
    for (char16_t unit : notice.path) out << (unit < 0x80 ? char(unit) : '?');
    return out;
}

// The pair a folder change sends.
inline std::vector<Notice> FolderNotices(const std::u16string& path) {
    return {{tray_code::kPasscardsChanged, path}, {tray_code::kIdentitiesChanged, path}};
}

// Test names of the two editors' trees.
inline std::string FlavourName(const ::testing::TestParamInfo<const TreeFlavour*>& param) {
    return param.param->cardKind == CardKind::Identity ? "Identity" : "Passcard";
}

class CardTreeFixture {
public:
    explicit CardTreeFixture(const TreeFlavour& flavour)
        : catalogue(flavour.cardKind == CardKind::Identity ? IdentityCatalogueRows(DisplayLanguage::English)
                                                           : PasscardCatalogueRows(DisplayLanguage::English)),
          root(folder.file(u"alice")),
          tree(flavour, root, clipboard, CardTreePorts{files, prompts, signals, launcher}, catalogue) {
        CreateFolder(root);
        tray = windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
        prompts.setActiveWindow(kActiveWindow);
        tree.setOwner(kEditorWindow);
    }

    static constexpr WindowRef kEditorWindow = 0xE017;
    static constexpr WindowRef kActiveWindow = 0xAC71;

    std::u16string at(std::u16string_view below) const { return root + u"\\" + std::u16string(below); }
    std::u16string card(std::u16string_view below) const {
        return at(below) + std::u16string(tree.flavour().extension);
    }
    void makeFolder(std::u16string_view below) { CreateFolder(at(below)); }
    void makeCard(std::u16string_view below, std::string_view bytes = "card") { WriteBytes(card(below), bytes); }
    TreeSelection folderItem(std::u16string_view below) const { return {ItemKind::Folder, at(below)}; }
    TreeSelection cardItem(std::u16string_view below) const { return {ItemKind::Card, at(below)}; }
    TreeSelection rootItem() const { return {ItemKind::Root, root}; }

    // The notices the tray window received, in order.
    std::vector<Notice> notices() const {
        std::vector<Notice> all;
        for (const auto& sent : windows.sent()) {
            EXPECT_EQ(tray, sent.to);
            all.push_back({sent.code, sent.text.value_or(u"(no text)")});
        }
        return all;
    }
    std::vector<Notice> cardNotice(const std::u16string& path) const {
        return {{tree.flavour().cardKind == CardKind::Identity ? tray_code::kIdentitiesChanged
                                                               : tray_code::kPasscardsChanged,
                 path}};
    }
    // The index-th box shown: its text, caption, style and owner.
    void expectBox(std::size_t index, std::u16string_view text, std::u16string_view caption, unsigned style,
                   WindowRef owner = kEditorWindow) const {
        ASSERT_LT(index, prompts.shown().size());
        const auto& box = prompts.shown()[index];
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(style, box.style);
        EXPECT_EQ(owner, box.owner);
    }
    std::string extension() const { return tree.flavour().cardKind == CardKind::Identity ? ".vrt" : ".vrc"; }
    std::u16string lookup(std::u16string_view key) const { return catalogue.Lookup(key); }

    MessageCatalogue catalogue;
    TempFolder folder;
    std::u16string root;
    HostFileSystem disk;
    FaultyFileSystem files{disk};  // the tree's; passes everything through unless told to fail
    test::ScriptedPrompts prompts;
    RecordingWindows windows;
    RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    EditorClipboard clipboard;
    WindowRef tray = kNoWindow;
    CardTree tree;
};

}  // namespace tarnwick::testing
