// The X server's resource database (the root window's RESOURCE_MANAGER), which desktops use to
// tell applications their settings, Xft.dpi among them.
#pragma once

// Replaces the database with `resources`, or removes it when null; false without a display.
bool setServerResources(const char* resources);
