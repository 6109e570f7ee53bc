/* Mirelune's resource ids, included by mirelune.rc and by the code that loads
 * them: each id is typed here once. The command ids are the editor's
 * WM_COMMAND ids; the code checks them against its command table. */
#ifndef TARNWICK_MIRELUNE_RESOURCES_H
#define TARNWICK_MIRELUNE_RESOURCES_H

#include "platform/win32/resources/shared_resources.h"

/* The main window's menu and accelerators share the icon's number. */
#define IDR_MAINFRAME 128
#define IDD_ABOUT 100
/* The New Identity dialog and its controls (the tests drive them by these ids). */
#define IDD_NEW_IDENTITY 209
#define IDC_NEW_IDENTITY_LABEL 1000
#define IDC_NEW_IDENTITY_NAME 1001
#define IDC_CREATE_IN 1002
#define IDC_PROTECT_NEW_IDENTITY 1003
#define IDC_CHOOSER_NEW_FOLDER 1004
#define IDC_CHOOSER_TREE 1005
/* The folder chooser's right-button menu (NEWFILETREE). */
#define ID_CHOOSER_DELETE 32807
#define ID_CHOOSER_RENAME 32808
/* The form page, an HTML resource (type 23). */
#define IDR_FORM_PAGE 208
#define RT_HTML_PAGE 23

/* Identity menu */
#define ID_IDENTITY_NEW 57600
#define ID_IDENTITY_SAVE 57603
#define ID_IDENTITY_SAVE_AND_CLOSE 32793
#define ID_IDENTITY_DELETE 32796
#define ID_IDENTITY_RENAME 32795
#define ID_FOLDER_NEW 32782
#define ID_FOLDER_DELETE 32786
#define ID_APP_EXIT 57665
/* Edit menu */
#define ID_EDIT_RESET 32799
#define ID_EDIT_PROTECTED 32781
#define ID_EDIT_ADD_CUSTOM_FIELD 32813
#define ID_EDIT_DELETE_CUSTOM_FIELD 32814
#define ID_EDIT_COPY_IDENTITY 32800
/* View menu */
#define ID_VIEW_ALWAYS_ON_TOP 32802
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
/* Tools and Help */
#define ID_TOOLS_PASSCARD_EDITOR 32801
#define ID_HELP_EDITOR_MANUAL 32826
#define ID_HELP_MANUAL 32827
#define ID_HELP_FAQ 32828
#define ID_HELP_VERSION_CHECK 32829
#define ID_HELP_HOME_PAGE 32830
#define ID_APP_ABOUT 57664
/* The tree's context-menu commands, prompted in the status bar. */
#define ID_FOLDER_RENAME 32787
#define ID_FOLDER_COPY 32788
#define ID_FOLDER_CUT 32789
#define ID_PASTE 32783
#define ID_FOLDER_EXPLORE 32784
#define ID_FOLDER_REFRESH 32785
#define ID_IDENTITY_COPY 32779
#define ID_IDENTITY_CUT 32780
/* Accelerators whose commands have no handler in this window. */
#define ID_FILE_OPEN 57601
#define ID_FILE_PRINT 57607
#define ID_EDIT_UNDO 57643
#define ID_EDIT_CUT 57635
#define ID_EDIT_COPY 57634
#define ID_EDIT_PASTE 57637
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
/* Find in the library tree. */
#define ID_EDIT_FIND 41300
#define ID_EDIT_FIND_NEXT 41301
#define ID_EDIT_FIND_PREVIOUS 41302

#endif
