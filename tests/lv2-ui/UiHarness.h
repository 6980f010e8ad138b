// A small LV2 UI host in the test's process: loads the UI binary as a host does, embeds the UI
// in a top-level window of its own on the test's X server, offers resize and (if asked) touch,
// idles it, and records every port write and touch call the UI makes.
#pragma once

#include <X11/Xlib.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct UiCall {
    enum Kind { Write, Grab, Release } kind;
    uint32_t port;
    float value;  // of a write
    bool operator==(const UiCall& other) const {
        return kind == other.kind && port == other.port && (kind != Write || value == other.value);
    }
};

// The UI binary's descriptor, loaded once for the whole test program; null when it cannot load.
const LV2UI_Descriptor* uiDescriptor();

class UiHarness {
public:
    enum class Touch { Offered, NotOffered };
    // With a `scaleFactor`, the host also offers its URID map and the ui:scaleFactor option.
    explicit UiHarness(Touch touch = Touch::Offered, float scaleFactor = 0.0f);
    ~UiHarness();

    bool opened() const { return handle_ != nullptr; }
    Display* display() const { return display_; }
    ::Window hostWindow() const { return host_; }
    ::Window widget() const { return widget_; }
    int resizedWidth() const { return resizedWidth_; }
    int resizedHeight() const { return resizedHeight_; }

    // Sets ui:scaleFactor through the UI's options interface, as a host whose screen changed does.
    uint32_t setScaleFactor(float factor);
    void portEvent(uint32_t port, float value);
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    int idle();
    // Idles every few milliseconds until `done` holds or `timeoutMs` has passed; `done`'s answer.
    bool idleUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    // The UI's calls so far; safe from any thread.
    std::vector<UiCall> calls();
    // Destroys the host's window around the UI, as a host closing its own window does.
    void destroyHostWindow();
    // Cleans the UI up now (the destructor does it otherwise).
    void cleanup();
    // Where a point of the editor is on the screen.
    void screenPoint(int x, int y, int& screenX, int& screenY);

private:
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer);
    static int resize(LV2UI_Feature_Handle handle, int width, int height);
    static void touch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed);
    static LV2_URID map(LV2_URID_Map_Handle handle, const char* uri);
    LV2_Options_Option scaleOption(const float& factor);
    void record(const UiCall& call);

    Display* display_ = nullptr;
    ::Window host_ = 0;
    ::Window widget_ = 0;
    LV2UI_Handle handle_ = nullptr;
    int resizedWidth_ = 0;
    int resizedHeight_ = 0;
    LV2UI_Resize resizeFeature_{};
    LV2UI_Touch touchFeature_{};
    LV2_URID_Map mapFeature_{};
    std::vector<std::string> uris_;  // URID n is uris_[n - 1]
    float scaleFactor_ = 0.0f;
    std::mutex mutex_;
    std::vector<UiCall> calls_;
};

// Runs a gesture on another thread while the test's thread idles the UI (a drag loop runs
// inside the UI's idle): true when the gesture finished in time.
bool whileIdling(UiHarness& ui, const std::function<void()>& gesture, int timeoutMs = 10000);
// Waits (without idling: the UI's own drag loop runs meanwhile) until `done` holds.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000);
bool xdotool(const std::string& arguments);
