// Resources compiled into this module by its resource script.
#include "platform/win32/handles.h"
#include "platform/win32/module.h"

namespace platform {

bool findResource(const char* type, int id, ResourceData& out) {
    const HINSTANCE module = win32::moduleHandle();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) return false;
    const void* data = LockResource(loaded);
    if (data == nullptr) return false;
    out.data = data;
    out.size = SizeofResource(module, resource);
    return true;
}

Surface* loadBitmapResource(int id) {
    return win32::toSurface(LoadBitmapA(win32::moduleHandle(), MAKEINTRESOURCEA(id)));
}

}  // namespace platform
