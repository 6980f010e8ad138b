#include "platform/win32/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace platform::win32 {

namespace {

constexpr int kNameCapacity = 1024;

// No user interface, any match allowed, and a time-out of 500 ms in the high word.
constexpr DWORD kResolveFlags = 0x1F40003;

}  // namespace

bool isShortcutName(const char* name) {
    const char* dot = std::strrchr(name, '.');
    return dot != nullptr && lstrcmpiA(dot, ".lnk") == 0;
}

void resolveShortcut(char* name, size_t capacity) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wideName[kNameCapacity];
        char target[kNameCapacity];
        if (MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, kNameCapacity) > 0 &&
            SUCCEEDED(file->Load(wideName, STGM_READ)) && SUCCEEDED(link->Resolve(nullptr, kResolveFlags)) &&
            link->GetPath(target, kNameCapacity, nullptr, SLGP_SHORTPATH) == S_OK && target[0] != '\0' &&
            std::strlen(target) < capacity) {
            std::strcpy(name, target);
        }
        file->Release();
    }
    link->Release();
}

}  // namespace platform::win32
