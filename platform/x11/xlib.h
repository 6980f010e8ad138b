// Xlib for the backend's files: platform.h first, since X.h defines None and CursorShape as
// macros and would break its declarations; CursorShape (a query class) is not used here.
#pragma once

#include "platform/platform.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#undef CursorShape
