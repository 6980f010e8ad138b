// The LV2 UI binary's open time on a real X server (run it on one, e.g. under
// tests/x11/run-display.sh): from instantiate to the editor's first whole picture on the
// server, which the first idle paints and puts; and the cleanup that takes it down again.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <lv2/ui/ui.h>

#include <X11/Xlib.h>

#include <cstdint>

namespace {

const char* const kPluginUri = "urn:spatialiser:plugin";

struct Host {
    Host() {
        display = XOpenDisplay(nullptr);
        void* binary = dlopen(SPATIALISER_UI_BINARY, RTLD_NOW | RTLD_LOCAL);
        auto function = binary ? reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(dlsym(binary, "lv2ui_descriptor"))
                               : nullptr;
        descriptor = function ? function(0) : nullptr;
        if (!display || !descriptor) return;
        idling = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 454, 269, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
    }
    ~Host() {
        if (display) XCloseDisplay(display);
    }
    bool ready() const { return display && descriptor && idling; }
    LV2UI_Handle open() {
        static auto write = [](LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {};
        const LV2_Feature parent = {LV2_UI__parent, reinterpret_cast<void*>(static_cast<uintptr_t>(window))};
        const LV2_Feature* features[] = {&parent, nullptr};
        LV2UI_Widget widget = nullptr;
        LV2UI_Handle handle = descriptor->instantiate(descriptor, kPluginUri, "", write, nullptr, &widget, features);
        if (handle) idling->idle(handle);
        return handle;
    }

    Display* display = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idling = nullptr;
    Window window = 0;
};

void openTheUi(benchmark::State& state) {
    Host host;
    if (!host.ready()) {
        state.SkipWithError("no X display or no UI binary");
        return;
    }
    for (auto _ : state) {
        LV2UI_Handle handle = host.open();
        state.PauseTiming();
        if (!handle) state.SkipWithError("the UI did not open");
        host.descriptor->cleanup(handle);
        state.ResumeTiming();
    }
}
BENCHMARK(openTheUi)->Unit(benchmark::kMillisecond);

void cleanUpTheUi(benchmark::State& state) {
    Host host;
    if (!host.ready()) {
        state.SkipWithError("no X display or no UI binary");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        LV2UI_Handle handle = host.open();
        state.ResumeTiming();
        host.descriptor->cleanup(handle);
    }
}
BENCHMARK(cleanUpTheUi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
