#include "tests/support/LoadedModule.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace {

std::string executablePath() {
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
#else
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
#endif
}

}  // namespace

std::string pathBesideExecutable(const std::string& fileName) {
    const std::string program = executablePath();
    const size_t separator = program.find_last_of("/\\");
    return separator == std::string::npos ? fileName : program.substr(0, separator + 1) + fileName;
}

LoadedModule::LoadedModule(const std::string& path) {
#if defined(_WIN32)
    handle = LoadLibraryA(path.c_str());
    if (!handle) error = "LoadLibrary failed with error " + std::to_string(GetLastError());
#else
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) error = dlerror();
#endif
}

LoadedModule::~LoadedModule() {
    if (!handle) return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

void* LoadedModule::symbol(const char* name) const {
    if (!handle) return nullptr;
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}
