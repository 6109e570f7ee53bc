/* What a resource script, and the code that shares its ids, needs from the
 * system headers, whichever resource compiler reads it (windres or rc).
 * Preprocessor lines only: resource compilers read nothing else. */
#ifndef TARNWICK_RESOURCE_COMPAT_H
#define TARNWICK_RESOURCE_COMPAT_H

#ifdef RC_INVOKED
#include <winresrc.h>
#else
#include <windows.h>
#endif

#ifndef DS_SHELLFONT
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
