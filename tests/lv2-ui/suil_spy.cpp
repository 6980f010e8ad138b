// Loaded into jalv with LD_PRELOAD: writes to the file named by SUIL_SPY_LOG every control
// value the plug-in's UI writes ("write PORT VALUE"), every control value the host sends the UI
// ("event PORT VALUE"), and the end of the UI's cleanup ("freed"). jalv offers no other way to
// see the UI's writes: its dump shows atom messages only.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

using WriteFunction = void (*)(void* controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer);
using HostNew = void* (*)(WriteFunction write, void* index, void* subscribe, void* unsubscribe);
using PortEvent = void (*)(void* instance, uint32_t port, uint32_t size, uint32_t format, const void* buffer);
using InstanceFree = void (*)(void* instance);

WriteFunction hostWrite = nullptr;
std::mutex logMutex;

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void log(const char* kind, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer) {
    const char* path = std::getenv("SUIL_SPY_LOG");
    float value;
    if (!path || protocol != 0 || size != sizeof value || !buffer) return;
    std::memcpy(&value, buffer, sizeof value);
    std::lock_guard lock(logMutex);
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s %u %.9g\n", kind, port, static_cast<double>(value));
        std::fclose(file);
    }
}

void spyWrite(void* controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer) {
    log("write", port, size, protocol, buffer);
    hostWrite(controller, port, size, protocol, buffer);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void* suil_host_new(WriteFunction write, void* index, void* subscribe,
                                                           void* unsubscribe) {
    hostWrite = write;
    return next<HostNew>("suil_host_new")(write ? spyWrite : nullptr, index, subscribe, unsubscribe);
}

__attribute__((visibility("default"))) void suil_instance_port_event(void* instance, uint32_t port, uint32_t size,
                                                                     uint32_t format, const void* buffer) {
    log("event", port, size, format, buffer);
    next<PortEvent>("suil_instance_port_event")(instance, port, size, format, buffer);
}

__attribute__((visibility("default"))) void suil_instance_free(void* instance) {
    next<InstanceFree>("suil_instance_free")(instance);
    const char* path = std::getenv("SUIL_SPY_LOG");
    if (FILE* file = path ? std::fopen(path, "a") : nullptr) {
        std::fputs("freed\n", file);
        std::fclose(file);
    }
}
}
