// One paint of each standard control on the soft backend, into the frame's window as an idle
// refresh does, with the editor's sizes: button 23 x 35, read-out 28 x 12, menu 65 x 21, slider
// 21 x 142 with an 18 x 16 keyed handle.
#include <benchmark/benchmark.h>

#include <memory>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiContext.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiOnOffButton.h"
#include "gui/CGuiOptionMenu.h"
#include "gui/CGuiValueDisplay.h"
#include "gui/CGuiVerticalSlider.h"
#include "platform/soft/desktop.h"

namespace {

constexpr int kSkin = 1002, kButton = 1004, kTrack = 1006, kHandle = 1007, kPressed = 1008;
const MenuListEntry kPatterns[4] = {{1, "absorb"}, {2, "normal"}, {3, "reflect"}, {4, "sustain"}};
const MenuList kPatternList = {kPatterns, 4, 4};

// A frame in a host window and a context on its window, as the frame makes for an idle refresh.
class Scene {
public:
    Scene() {
        platform::soft::resetDesktop();
        host_ = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, 454, 269});
        frame_ = std::make_unique<CGuiFrame>(CGuiRect{0, 0, 454, 269}, host_, nullptr);
        deviceContext_ = platform::windowContext(frame_->childWindow);
        context_ = std::make_unique<CGuiContext>(frame_.get(), deviceContext_, frame_->childWindow);
    }
    ~Scene() {
        context_.reset();
        platform::releaseWindowContext(frame_->childWindow, deviceContext_);
        frame_.reset();
        for (CGuiBitmap* bitmap : bitmaps_)
            bitmap->release();
        platform::soft::resetDesktop();
    }
    CGuiBitmap* bitmap(int resource) {
        bitmaps_.push_back(new CGuiBitmap(resource));
        return bitmaps_.back();
    }
    // Paints the control once per iteration, its value moving so that no two paints are alike.
    void run(benchmark::State& state, CGuiControl* control) {
        frame_->attachView(control);
        float value = 0.0f;
        for (auto _ : state) {
            control->setCurrentValue(value);
            control->paint(context_.get());
            value = value >= 1.0f ? 0.0f : value + 0.01f;
        }
    }

private:
    platform::Window* host_;
    std::unique_ptr<CGuiFrame> frame_;
    platform::DeviceContext* deviceContext_;
    std::unique_ptr<CGuiContext> context_;
    std::vector<CGuiBitmap*> bitmaps_;
};

void onOffButtonPaint(benchmark::State& state) {
    Scene scene;
    scene.run(state, new CGuiOnOffButton({407, 87, 430, 122}, nullptr, 13, scene.bitmap(kButton), nullptr, 0x40));
}
BENCHMARK(onOffButtonPaint)->Unit(benchmark::kMicrosecond);

void valueDisplayPaint(benchmark::State& state) {
    Scene scene;
    auto* display = new CGuiValueDisplay({197, 225, 225, 237}, nullptr, 4, nullptr, nullptr, nullptr, 360, -180, 0,
                                         360.0f, 0);
    display->fontId = 0;
    display->fontSize = 10;
    scene.run(state, display);
}
BENCHMARK(valueDisplayPaint)->Unit(benchmark::kMicrosecond);

void optionMenuPaint(benchmark::State& state) {
    Scene scene;
    auto* menu = new CGuiOptionMenu({313, 178, 378, 199}, nullptr, 14, scene.bitmap(kSkin), nullptr,
                                    scene.bitmap(kPressed), &kPatternList, 0x0400);
    menu->fontId = 0;
    menu->fontSize = 10;
    menu->textAlignment = kTextLeft;
    menu->textInset() = {6, 0};
    scene.run(state, menu);
}
BENCHMARK(optionMenuPaint)->Unit(benchmark::kMicrosecond);

void verticalSliderPaint(benchmark::State& state) {
    Scene scene;
    scene.run(state, new CGuiVerticalSlider({200, 74, 221, 216}, nullptr, 4, 75, 199, scene.bitmap(kTrack), nullptr,
                                            scene.bitmap(kHandle), nullptr, {0, 0}, {1, 0}, false, true, 0x40, 360.0f,
                                            0));
}
BENCHMARK(verticalSliderPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
