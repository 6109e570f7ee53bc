/* Resource ids every program's script defines, because code shared by the
 * programs loads them from the running program. Each program's resource
 * header includes this one. */
#ifndef TARNWICK_SHARED_RESOURCES_H
#define TARNWICK_SHARED_RESOURCES_H

#include "platform/win32/resources/resource_compat.h"

/* The program's icon: its windows, the tray icon and the name dialogs' banner. */
#define IDI_PROGRAM 128

#endif
