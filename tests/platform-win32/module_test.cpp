// The backend inside a DLL uses the DLL's module handle, not the program's.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_host_window.h"

namespace platform_win32_test {
namespace {

struct ProbeModule {
    ProbeModule() : module(LoadLibraryA("platform_win32_probe.dll")) {}
    ~ProbeModule() {
        if (module != nullptr) FreeLibrary(module);
    }
    template <typename Function>
    Function* function(const char* name) const {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HMODULE module;
};

std::string classNameFor(HMODULE module) {
    char name[32];
    std::snprintf(name, sizeof name, "Plugin%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(module)));
    return name;
}

TEST(Module, ResourcesAndTheWindowClassBelongToTheModuleTheBackendIsIn) {
    ProbeModule probe;
    ASSERT_NE(probe.module, nullptr);
    auto* moduleHandle = probe.function<HINSTANCE()>("probeModuleHandle");
    auto* bankSize = probe.function<size_t()>("probeBankSize");
    auto* createWindow = probe.function<HWND(HWND)>("probeCreateWindow");
    auto* destroyWindow = probe.function<void(HWND)>("probeDestroyWindow");
    ASSERT_TRUE(moduleHandle && bankSize && createWindow && destroyWindow);

    EXPECT_EQ(moduleHandle(), probe.module);
    EXPECT_EQ(bankSize(), std::string("probe module bank").size());

    HWND window = createWindow(testHostWindow());
    ASSERT_NE(window, nullptr);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_EQ(className, classNameFor(probe.module));
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)), probe.module);
    destroyWindow(window);
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    EXPECT_FALSE(GetClassInfoExA(probe.module, classNameFor(probe.module).c_str(), &description))
        << "unregistered with the module's handle";
}

}  // namespace
}  // namespace platform_win32_test
