#include "platform/win32/module.h"

namespace platform::win32 {

HINSTANCE moduleHandle() {
    // Asked from an address inside this module, so no DllMain is needed to remember it; the
    // reference count stays unchanged, so the module can still be unloaded by its host.
    static const HINSTANCE handle = [] {
        HMODULE module = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&moduleHandle), &module);
        return module;
    }();
    return handle;
}

}  // namespace platform::win32
