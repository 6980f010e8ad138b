#pragma once

#include <cstddef>

namespace platform::win32 {

// True when the name's extension (after the last '.') is "lnk" in any case.
bool isShortcutName(const char* name);

// Replaces the shortcut file `name` by its target's short path, resolved without user interface;
// on any failure `name` is left as it was. `capacity` is the size of the buffer `name` is in.
void resolveShortcut(char* name, size_t capacity);

}  // namespace platform::win32
