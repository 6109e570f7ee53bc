// The tree's items as read from a real folder: which entries show, in which
// order, with which buttons, and finding the item of a path.
#include "cardtree/card_tree_model.h"

#include <gtest/gtest.h>

#include "platform/host/host_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::CreateFolder;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::u16string> texts(const TreeItem& folder) {
    std::vector<std::u16string> all;
    for (const auto& child : folder.children()) {
        all.push_back((child->kind() == ItemKind::Card ? u"card " : u"folder ") + child->text());
    }
    return all;
}

class CardTreeModelTest : public ::testing::Test {
protected:
    CardTreeModelTest() { CreateFolder(root); }
    std::u16string at(std::u16string_view below) { return root + u"\\" + std::u16string(below); }

    TempFolder folder;
    std::u16string root = folder.file(u"alice");
    HostFileSystem files;
    CardTreeModel model{files, root, u".vrt"};
};

TEST_F(CardTreeModelTest, FoldersFirstThenVisibleCardsInTheSystemsOrder) {
    WriteBytes(at(u"zeta.vrt"), "x");
    WriteBytes(at(u"Alpha.vrt"), "x");
    WriteBytes(at(u".hidden.vrt"), "x");
    WriteBytes(at(u"passcard.vrc"), "x");
    WriteBytes(at(u"old.vrt.bak"), "x");
    WriteBytes(at(u"notes.txt"), "x");
    CreateFolder(at(u"Shop"));
    CreateFolder(at(u"bank"));
    CreateFolder(at(u".secret"));
    model.setRoot();
    ASSERT_NE(nullptr, model.root());
    EXPECT_EQ(ItemKind::Root, model.root()->kind());
    EXPECT_EQ(u"alice", model.root()->text());
    EXPECT_EQ(root, model.root()->path());
    EXPECT_EQ(
        (std::vector<std::u16string>{u"folder .secret", u"folder bank", u"folder Shop", u"card Alpha", u"card zeta"}),
        texts(*model.root()));
    EXPECT_EQ(at(u"Alpha"), model.root()->children()[3]->path());
}

TEST_F(CardTreeModelTest, ButtonsForFoldersHoldingFoldersOrCards) {
    CreateFolder(at(u"empty"));
    CreateFolder(at(u"other"));
    WriteBytes(at(u"other\\a.vrc"), "x");
    WriteBytes(at(u"other\\.b.vrt"), "x");
    CreateFolder(at(u"cards"));
    WriteBytes(at(u"cards\\a.vrt"), "x");
    CreateFolder(at(u"nested"));
    CreateFolder(at(u"nested\\inner"));
    model.setRoot();
    const auto& children = model.root()->children();
    ASSERT_EQ(4u, children.size());
    EXPECT_TRUE(model.hasButton(*model.root()));
    EXPECT_TRUE(model.hasButton(*children[0]));   // cards
    EXPECT_FALSE(model.hasButton(*children[1]));  // empty
    EXPECT_TRUE(model.hasButton(*children[2]));   // nested
    EXPECT_FALSE(model.hasButton(*children[3]));  // other
    EXPECT_FALSE(children[0]->childrenRead());
    model.readChildren(*children[0]);
    EXPECT_EQ(std::vector<std::u16string>{u"card a"}, texts(*children[0]));
}

TEST_F(CardTreeModelTest, FolderChooserShowsFoldersOnly) {
    CreateFolder(at(u"cards"));
    WriteBytes(at(u"cards\\a.vrt"), "x");
    CreateFolder(at(u"nested"));
    CreateFolder(at(u"nested\\inner"));
    WriteBytes(at(u"Home.vrt"), "x");
    model.setShowCards(false);
    model.setRoot();
    EXPECT_EQ((std::vector<std::u16string>{u"folder cards", u"folder nested"}), texts(*model.root()));
    EXPECT_FALSE(model.hasButton(*model.root()->children()[0]));
    EXPECT_TRUE(model.hasButton(*model.root()->children()[1]));
}

TEST_F(CardTreeModelTest, ItemAtReadsTheFoldersOnTheWay) {
    CreateFolder(at(u"Shop"));
    CreateFolder(at(u"Shop\\Books"));
    WriteBytes(at(u"Shop\\Books\\Store.vrt"), "x");
    EXPECT_EQ(nullptr, model.itemAt(root));
    model.setRoot();
    const TreeItem* store = model.itemAt(at(u"Shop\\Books\\Store.vrt"));
    ASSERT_NE(nullptr, store);
    EXPECT_EQ(ItemKind::Card, store->kind());
    EXPECT_EQ(at(u"Shop\\Books\\Store"), store->path());
    EXPECT_EQ(store, model.itemAt(at(u"shop\\books\\store")));
    EXPECT_EQ(at(u"Shop\\Books"), model.itemAt(at(u"Shop\\Books\\Gone.vrt"))->path());
    EXPECT_EQ(model.root(), model.itemAt(root));
    EXPECT_EQ(model.root(), model.itemAt(u"Z:\\elsewhere"));
    EXPECT_EQ(model.root(), model.itemAt(u""));
}

TEST_F(CardTreeModelTest, RenamedItemsCarryTheirChildrensPaths) {
    CreateFolder(at(u"Shop"));
    WriteBytes(at(u"Shop\\Store.vrt"), "x");
    model.setRoot();
    TreeItem* shop = model.itemAt(at(u"Shop"));
    model.readChildren(*shop);
    model.setText(*shop, u"Market");
    EXPECT_EQ(at(u"Market\\Store"), shop->children().at(0)->path());
    model.setCutItem(shop);
    model.setRoot();
    EXPECT_EQ(nullptr, model.cutItem());
}

}  // namespace
}  // namespace tarnwick
