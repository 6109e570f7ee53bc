#include "editor_common/shared_commands.h"

#include "editor_common/editor_traits.h"

namespace tarnwick {

std::vector<CommandRule> SharedCommandRules(const TreeCommandIds& tree, unsigned alwaysOnTop) {
    return {
        {tree.newFolder, Enabling::Always, CheckMark::None,
         u"Create New Folder in the Current Folder\nCreate New Folder in the Current Folder"},
        {tree.deleteFolder, Enabling::FolderSelected, CheckMark::None,
         u"Delete all files in this folder and the folder itself\n"
         u"Delete all files in this folder and the folder itself"},
        {tree.renameFolder, Enabling::Always, CheckMark::None, u"Rename Folder\nRename Folder"},
        {tree.copyFolder, Enabling::Always, CheckMark::None, u"Copy Folder\nCopy Folder"},
        {tree.cutFolder, Enabling::Always, CheckMark::None, u"Cut Folder\nCut Folder"},
        {tree.exploreFolder, Enabling::Always, CheckMark::None,
         u"Open Folder that contains User Data in Windows Explorer\n"
         u"Open Folder that contains User Data in Windows Explorer"},
        {tree.refreshFolder, Enabling::Always, CheckMark::None,
         u"Refresh file cache from the User Data Folder. Use this if you made any changes to Tarnwick "
         u"Data Files outside Tarnwick\nRefresh file cache from the User Data Folder. Use this if you made "
         u"any changes to Tarnwick Data Files outside Tarnwick"},
        {alwaysOnTop, Enabling::Always, CheckMark::AlwaysOnTop,
         u"Make Editor appear above all windows\nMake Editor appear above all windows"},
        {common_command::kToolbar, Enabling::Always, CheckMark::ToolbarShown,
         u"Show or Hide Editor Toolbar\nShow or Hide Editor Toolbar"},
        {common_command::kStatusBar, Enabling::Always, CheckMark::StatusBarShown,
         u"Show or Hide Editor Status Bar\nShow or Hide Editor Status Bar"},
    };
}

}  // namespace tarnwick
