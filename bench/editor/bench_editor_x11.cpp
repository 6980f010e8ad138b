// The editor of the Linux module on an X11 server: a full repaint put on the window, and one
// knob change from the host painted and put by the next idle; each at 100 % and at 200 % (the
// argument, in per cent). Run it on a display, for example
// tests/x11/run-display.sh build/linux/bench/bench_editor_x11; without one it skips itself.
#include <benchmark/benchmark.h>

// Before Xlib: X.h defines None as a macro.
#include "editor/CEffectEditor.h"
#include "effect/CEffect.h"
#include "effect/ParameterTable.h"
#include "gui/CGuiFrame.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

intptr_t VSTCALL quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A mapped top-level window of the host's size with the editor open in it and painted once.
class EditorOnDisplay {
public:
    explicit EditorOnDisplay(benchmark::State& state) : display_(XOpenDisplay(nullptr)) {
        if (!display_)
            return;
        const int percent = int(state.range(0));
        // The override every source of the scale gives way to.
        setenv("SPATIALISER_EDITOR_SCALE", std::to_string(percent / 100.0).c_str(), 1);
        host_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, unsigned(454 * percent / 100),
                                    unsigned(269 * percent / 100), 0, 0, 0);
        XMapWindow(display_, host_);
        XSync(display_, False);
        effect_ = std::make_unique<CEffect>(quietHost);
        editor_ = dynamic_cast<CEffectEditor*>(effect_->editor);
        editor_->open(reinterpret_cast<void*>(static_cast<uintptr_t>(host_)));
        // The first paint comes from the window's exposure, handled in the idle.
        for (int pass = 0; pass < 1000 && editor_->frame && editor_->frame->firstPaintPending; ++pass)
            editor_->idle();
    }
    ~EditorOnDisplay() {
        if (!display_)
            return;
        effect_.reset();
        XDestroyWindow(display_, host_);
        XCloseDisplay(display_);
    }
    // False, with the benchmark skipped, when there is no display or the editor did not paint.
    bool ready(benchmark::State& state) {
        if (!display_)
            state.SkipWithError("no X display (run it under tests/x11/run-display.sh)");
        else if (!editor_ || !editor_->frame || editor_->frame->firstPaintPending)
            state.SkipWithError("the editor did not open on the display");
        else
            return true;
        return false;
    }
    CEffect& effect() { return *effect_; }
    CEffectEditor& editor() { return *editor_; }

private:
    Display* display_;
    Window host_ = 0;
    std::unique_ptr<CEffect> effect_;
    CEffectEditor* editor_ = nullptr;
};

void fullRepaintToTheWindow(benchmark::State& state) {
    EditorOnDisplay fixture(state);
    if (!fixture.ready(state))
        return;
    for (auto _ : state)
        fixture.editor().repaintAll();
}
BENCHMARK(fullRepaintToTheWindow)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(200);

// The host turns the azimuth speed; the idle's repaint paints its knob and read-out and puts them
// (the idle's other work, which asks the server where the mouse and the focus are, is the row of
// the idle with nothing to repaint).
void oneKnobChangeOnTheWindow(benchmark::State& state) {
    EditorOnDisplay fixture(state);
    if (!fixture.ready(state))
        return;
    bool high = false;
    for (auto _ : state) {
        high = !high;
        fixture.effect().setParameter(kAzimuthSpeed, high ? 0.8f : 0.2f);
        fixture.editor().frame->refreshIfNeeded();
    }
}
BENCHMARK(oneKnobChangeOnTheWindow)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(200);

void idleWithNothingToRepaint(benchmark::State& state) {
    EditorOnDisplay fixture(state);
    if (!fixture.ready(state))
        return;
    for (auto _ : state)
        fixture.editor().idle();
}
BENCHMARK(idleWithNothingToRepaint)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(200);

}  // namespace

BENCHMARK_MAIN();
