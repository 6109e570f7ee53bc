/* Keslowe's resource ids, included by keslowe.rc and by the code that loads
 * them: each id is typed here once. The command ids are the editor's own
 * (passcard_editor/passcard_commands.h and the tree's flavour); the window
 * code checks at compile time that the two agree. */
#ifndef TARNWICK_KESLOWE_RESOURCES_H
#define TARNWICK_KESLOWE_RESOURCES_H

#include "platform/win32/resources/shared_resources.h"

/* The main menu, the toolbar's bitmap and the accelerators share one id. */
#define IDR_MAINFRAME 128
#define IDS_TITLE 128
#define IDB_TOOLBAR 128
#define IDR_FORM_PAGE 208
#define IDR_MANIFEST 1
#define IDD_ABOUT 100
#define IDC_ABOUT_TEXT 1000

/* Passcard menu. */
#define IDM_SAVE 57603
#define IDM_SAVE_AND_CLOSE 32773
#define IDM_DELETE_CARD 32790
#define IDM_RENAME_CARD 32791
#define IDM_NEW_FOLDER 32816
#define IDM_DELETE_FOLDER 32818
#define IDM_EXIT 57665
/* Edit menu. */
#define IDM_RESET 32778
#define IDM_PROTECTED 32803
#define IDM_DEFAULT 32804
#define IDM_COPY 32815
#define IDM_ADD_FIELD 32810
#define IDM_RENAME_FIELD 32809
#define IDM_DELETE_FIELD 32808
/* View menu. */
#define IDM_PASSWORDS_AS_STARS 32822
#define IDM_ALWAYS_ON_TOP 32825
#define IDM_DETAILS 32878
#define IDM_TOOLBAR 59392
#define IDM_STATUS_BAR 59393
/* Tools and Help menus. */
#define IDM_IDENTITY_EDITOR 32863
#define IDM_PASSWORD_HEALTH 41200
/* The Password Health window's controls. */
#define IDC_HEALTH_LIST 41201
#define IDC_HEALTH_SUMMARY 41202
#define IDC_HEALTH_BREACH_FILE 41203
#define IDC_HEALTH_REFRESH 41204
#define IDC_HEALTH_CLOSE 41205
#define IDM_MANUAL_ON_EDITOR 32877
#define IDM_MANUAL 32871
#define IDM_FAQ 32872
#define IDM_NEW_VERSION_CHECK 32873
#define IDM_HOME_PAGE 32874
#define IDM_ABOUT 57664
/* Field menu: the password generator, and its policy dialog. */
#define IDM_GENERATE_PASSWORD 41100
#define IDM_PASSWORD_POLICY 41101
#define IDD_PASSWORD_POLICY 41102
#define IDC_GEN_LENGTH 41110
#define IDC_GEN_LOWER 41111
#define IDC_GEN_UPPER 41112
#define IDC_GEN_DIGITS 41113
#define IDC_GEN_SYMBOLS 41114
#define IDC_GEN_NO_LOOKALIKES 41115
#define IDC_GEN_USE_WORDS 41116
#define IDC_GEN_WORDS 41117
/* Find in the library tree. */
#define IDM_FIND 41300
#define IDM_FIND_NEXT 41301
#define IDM_FIND_PREVIOUS 41302

#endif
