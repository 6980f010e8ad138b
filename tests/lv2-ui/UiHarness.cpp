#include "UiHarness.h"

#include <dlfcn.h>
#include <lv2/atom/atom.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "lv2/PortTable.h"

namespace {

constexpr int kHostWidth = 600;
constexpr int kHostHeight = 400;
constexpr int kPollMs = 5;

void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs)); }

bool waitForMap(Display* display, ::Window window) {
    for (int waited = 0; waited < 3000; waited += kPollMs) {
        XEvent event;
        if (XCheckTypedWindowEvent(display, window, MapNotify, &event)) return true;
        pause();
    }
    return false;
}

}  // namespace

const LV2UI_Descriptor* uiDescriptor() {
    static void* binary = dlopen(SPATIALISER_UI_BINARY, RTLD_NOW | RTLD_LOCAL);
    if (!binary) return nullptr;
    using DescriptorFunction = const LV2UI_Descriptor* (*)(uint32_t);
    auto function = reinterpret_cast<DescriptorFunction>(dlsym(binary, "lv2ui_descriptor"));
    return function ? function(0) : nullptr;
}

UiHarness::UiHarness(Touch touch, float scaleFactor) : scaleFactor_(scaleFactor) {
    const LV2UI_Descriptor* descriptor = uiDescriptor();
    display_ = XOpenDisplay(nullptr);
    if (!descriptor || !display_) return;
    XSetWindowAttributes attributes{};
    attributes.event_mask = StructureNotifyMask;
    host_ = XCreateWindow(display_, DefaultRootWindow(display_), 50, 60, kHostWidth, kHostHeight, 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWEventMask, &attributes);
    XStoreName(display_, host_, "lv2-ui-test");
    XMapWindow(display_, host_);
    XSync(display_, False);
    if (!waitForMap(display_, host_)) return;

    resizeFeature_ = {this, resize};
    touchFeature_ = {this, UiHarness::touch};
    const LV2_Feature parent = {LV2_UI__parent, reinterpret_cast<void*>(static_cast<uintptr_t>(host_))};
    const LV2_Feature resizing = {LV2_UI__resize, &resizeFeature_};
    const LV2_Feature touching = {LV2_UI__touch, &touchFeature_};
    const LV2_Feature idling = {LV2_UI__idleInterface, nullptr};
    mapFeature_ = {this, map};
    const LV2_Options_Option options[] = {scaleOption(scaleFactor_), {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature optionList = {LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
    const LV2_Feature mapping = {LV2_URID__map, &mapFeature_};
    std::vector<const LV2_Feature*> features = {&parent, &resizing, &idling};
    if (scaleFactor != 0.0f) features.push_back(&optionList);  // before the map, as some hosts list them
    features.push_back(&mapping);
    if (touch == Touch::Offered) features.push_back(&touching);
    features.push_back(nullptr);
    LV2UI_Widget widget = nullptr;
    handle_ = descriptor->instantiate(descriptor, kPluginUri, SPATIALISER_UI_BUNDLE, write, this, &widget, features.data());
    widget_ = static_cast<::Window>(reinterpret_cast<uintptr_t>(widget));
}

UiHarness::~UiHarness() {
    cleanup();
    if (display_) {
        if (host_) XDestroyWindow(display_, host_);
        XCloseDisplay(display_);
    }
}

void UiHarness::destroyHostWindow() {
    XDestroyWindow(display_, host_);
    XSync(display_, False);
    host_ = 0;
}

void UiHarness::cleanup() {
    if (handle_) uiDescriptor()->cleanup(handle_);
    handle_ = nullptr;
}

void UiHarness::portEvent(uint32_t port, float value) { portEvent(port, sizeof value, 0, &value); }

void UiHarness::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    uiDescriptor()->port_event(handle_, port, size, format, buffer);
}

int UiHarness::idle() {
    auto* idling = static_cast<const LV2UI_Idle_Interface*>(uiDescriptor()->extension_data(LV2_UI__idleInterface));
    return idling->idle(handle_);
}

bool UiHarness::idleUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        idle();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        pause();
    }
}

std::vector<UiCall> UiHarness::calls() {
    std::lock_guard lock(mutex_);
    return calls_;
}

void UiHarness::record(const UiCall& call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(call);
}

void UiHarness::screenPoint(int x, int y, int& screenX, int& screenY) {
    ::Window child = 0;
    XTranslateCoordinates(display_, widget_, DefaultRootWindow(display_), x, y, &screenX, &screenY, &child);
}

void UiHarness::write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol,
                      const void* buffer) {
    float value = -1.0f;
    if (size == sizeof value && protocol == 0) std::memcpy(&value, buffer, sizeof value);
    static_cast<UiHarness*>(controller)->record({UiCall::Write, port, value});
}

LV2_URID UiHarness::map(LV2_URID_Map_Handle handle, const char* uri) {
    auto* harness = static_cast<UiHarness*>(handle);
    for (size_t i = 0; i < harness->uris_.size(); ++i)
        if (harness->uris_[i] == uri) return LV2_URID(i + 1);
    harness->uris_.emplace_back(uri);
    return LV2_URID(harness->uris_.size());
}

LV2_Options_Option UiHarness::scaleOption(const float& factor) {
    return {LV2_OPTIONS_INSTANCE, 0, map(this, LV2_UI__scaleFactor), sizeof(float), map(this, LV2_ATOM__Float), &factor};
}

uint32_t UiHarness::setScaleFactor(float factor) {
    const auto* interface = static_cast<const LV2_Options_Interface*>(uiDescriptor()->extension_data(LV2_OPTIONS__interface));
    if (!interface || !handle_) return LV2_OPTIONS_ERR_UNKNOWN;
    scaleFactor_ = factor;
    const LV2_Options_Option options[] = {scaleOption(scaleFactor_), {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    return interface->set(handle_, options);
}

int UiHarness::resize(LV2UI_Feature_Handle handle, int width, int height) {
    auto* harness = static_cast<UiHarness*>(handle);
    harness->resizedWidth_ = width;
    harness->resizedHeight_ = height;
    return 0;
}

void UiHarness::touch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
    static_cast<UiHarness*>(handle)->record({grabbed ? UiCall::Grab : UiCall::Release, port, 0.0f});
}

bool whileIdling(UiHarness& ui, const std::function<void()>& gesture, int timeoutMs) {
    std::atomic<bool> finished{false};
    std::thread runner([&] {
        gesture();
        finished = true;
    });
    const bool inTime = ui.idleUntil([&] { return finished.load(); }, timeoutMs);
    runner.join();
    return inTime;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (done()) return true;
        pause();
    }
    return done();
}

bool xdotool(const std::string& arguments) { return std::system(("xdotool " + arguments).c_str()) == 0; }
