// A plug-in module loaded through the operating system's loader (dlopen, LoadLibrary), as a host
// loads it, and its entry points.
#pragma once

#include <string>

#include "shell/vst2.h"

using VstMainFunction = AEffect*(VSTCALL*)(HostCallback hostCallback);

// The full path of a file that lies in the running program's folder: every binary of a build
// lands at the top of the build folder.
std::string pathBesideExecutable(const std::string& fileName);

class LoadedModule {
public:
    explicit LoadedModule(const std::string& path);
    ~LoadedModule();

    bool isLoaded() const { return handle != nullptr; }
    const std::string& loadError() const { return error; }

    // Null when the module does not export the name.
    void* symbol(const char* name) const;
    VstMainFunction mainEntry() const { return reinterpret_cast<VstMainFunction>(symbol("main")); }
    VstMainFunction pluginMainEntry() const { return reinterpret_cast<VstMainFunction>(symbol("VSTPluginMain")); }

private:
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    void* handle = nullptr;
    std::string error;
};
