/* Brenholt's resource ids, included by brenholt.rc and by the code that loads
 * them: each id is typed here once. */
#ifndef TARNWICK_BRENHOLT_RESOURCES_H
#define TARNWICK_BRENHOLT_RESOURCES_H

#include "platform/win32/resources/shared_resources.h"

#define IDR_TRAY_MENU 128
#define IDD_ABOUT 100

/* The menu's commands: the tray window's WM_COMMAND ids that other programs
 * send too (tray_message::kCommandExit and kCommandAbout, checked in the code). */
#define IDM_EXIT 57665
#define IDM_ABOUT 57664
/* Lock: the tray's own command; other programs send copy-data 70 instead. */
#define IDM_LOCK 40001

#endif
