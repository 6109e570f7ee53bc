// Mirelune's resource script against the command table: the string table's
// prompts and tooltips (what the status bar and the toolbar show) and the New
// Identity dialog's ids say what the portable rules say.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "identity_editor/identity_commands.h"
#include "identity_editor/new_identity_dialog.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

std::string readSource(const char* relative) {
    std::ifstream file(std::string(TARNWICK_SOURCE_DIR) + relative, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every "#define NAME number" of the resource header.
std::map<std::string, unsigned> defines() {
    std::map<std::string, unsigned> ids;
    const std::string header = readSource("/identity_editor/resources/mirelune_resources.h");
    const std::regex define(R"(#define\s+(\w+)\s+(\d+))");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), define); it != std::sregex_iterator(); ++it)
        ids[(*it)[1]] = static_cast<unsigned>(std::stoul((*it)[2]));
    return ids;
}

// The string table's texts by command id, "\n" read as the line feed it stands for.
std::map<unsigned, std::u16string> stringTable() {
    const auto ids = defines();
    const std::string script = readSource("/identity_editor/resources/mirelune.rc");
    const std::size_t begin = script.find("STRINGTABLE");
    const std::size_t end = script.find("\nEND", begin);
    EXPECT_NE(begin, std::string::npos);
    const std::string table = script.substr(begin, end - begin);
    std::map<unsigned, std::u16string> strings;
    const std::regex entry(R"__((\w+)\s+"([^"]*)")__");
    for (auto it = std::sregex_iterator(table.begin(), table.end(), entry); it != std::sregex_iterator(); ++it) {
        std::string text = (*it)[2];
        for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n"))
            text.replace(at, 2, "\n");
        const auto id = ids.find((*it)[1]);
        EXPECT_NE(id, ids.end()) << (*it)[1] << " is not in the resource header";
        if (id != ids.end()) strings[id->second] = Utf8ToUtf16(text);
    }
    return strings;
}

TEST(MireluneResources, TheStringTableSaysWhatTheCommandTableSays) {
    const auto strings = stringTable();
    const CommandTable& commands = IdentityCommands();
    for (const CommandRule& rule : commands.rules()) {
        if (rule.text.empty()) continue;
        const auto found = strings.find(rule.id);
        ASSERT_NE(found, strings.end()) << "no string for command " << rule.id;
        EXPECT_EQ(found->second, rule.text) << "command " << rule.id;
    }
    EXPECT_EQ(strings.size(), commands.rules().size());
    // Protected is the one command whose tooltip is not its prompt.
    EXPECT_EQ(commands.tooltip(32781), u"Toggle Password-Protection status of this Identity");
    EXPECT_NE(commands.statusPrompt(32781), commands.tooltip(32781));
    for (const ToolbarSlot& slot : IdentityToolbar()) {
        if (!slot.isSeparator()) {
            EXPECT_TRUE(strings.contains(slot.id)) << "no tooltip for " << slot.id;
        }
    }
}

TEST(MireluneResources, TheNewIdentityDialogIsResource209WithTheChoosersMenuIds) {
    const auto ids = defines();
    EXPECT_EQ(ids.at("IDD_NEW_IDENTITY"), kNewIdentityDialogResource);
    EXPECT_EQ(ids.at("ID_CHOOSER_DELETE"), kChooserDeleteFolder);
    EXPECT_EQ(ids.at("ID_CHOOSER_RENAME"), kChooserRenameFolder);
    const std::string script = readSource("/identity_editor/resources/mirelune.rc");
    for (const char* text : {"CAPTION \"New Identity\"", "\"Identity Name :\"", "\"Create In...\"",
                             "\"Password-Protect New Identity\"", "\"New Folder\""})
        EXPECT_NE(script.find(text), std::string::npos) << text;
}

// The main menu's items read exactly as the window shows them, in order, each
// with its command (no key hints after a tab: the items' texts are fixed).
TEST(MireluneResources, TheMainMenuItemsAreTheProgramsTextsAndCommands) {
    const auto ids = defines();
    const std::string script = readSource("/identity_editor/resources/mirelune.rc");
    const std::size_t begin = script.find("IDR_MAINFRAME MENU");
    ASSERT_NE(begin, std::string::npos);
    const std::string menu = script.substr(begin, script.find("\nEND", begin) - begin);
    std::vector<std::pair<std::string, unsigned>> items;
    const std::regex item(R"__(MENUITEM\s+"([^"]*)",\s*(\w+))__");
    for (auto it = std::sregex_iterator(menu.begin(), menu.end(), item); it != std::sregex_iterator(); ++it) {
        const auto id = ids.find((*it)[2]);
        items.emplace_back((*it)[1], id != ids.end() ? id->second : 0u);
    }
    const std::vector<std::pair<std::string, unsigned>> expected{{"&New", 57600},
                                                                 {"&Save", 57603},
                                                                 {"Save && &Close", 32793},
                                                                 {"&Delete", 32796},
                                                                 {"&Rename...", 32795},
                                                                 {"&New Folder...", 32782},
                                                                 {"&Delete Folder", 32786},
                                                                 {"&Exit", 57665},
                                                                 {"&Reset", 32799},
                                                                 {"&Protected", 32781},
                                                                 {"&Add Custom Field", 32813},
                                                                 {"&Delete Custom Field", 32814},
                                                                 {"&Copy", 32800},
                                                                 {"&Find...", 41300},
                                                                 {"Al&ways on Top", 32802},
                                                                 {"&Toolbar", 59392},
                                                                 {"&Status Bar", 59393},
                                                                 {"Passcard Editor", 32801},
                                                                 {"Manual &on Editor", 32826},
                                                                 {"&Manual", 32827},
                                                                 {"&FAQ", 32828},
                                                                 {"&New Version Check", 32829},
                                                                 {"Tarnwick &Home Page", 32830},
                                                                 {"&About...", 57664}};
    EXPECT_EQ(items, expected);
}

}  // namespace
}  // namespace tarnwick
