// The editor on the soft backend: opening it (with and without loading the skin), an idle with
// nothing to repaint, a full repaint, a host's change of one knob and one drag pass of the position
// view; each on a screen at 100 % and at 200 % (the argument, in per cent: the system's scale).
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/CEffectEditor.h"
#include "editor/CLinkedValue.h"
#include "editor/CPositionView.h"
#include "effect/CEffect.h"
#include "effect/ParameterTable.h"
#include "gui/CGuiContext.h"
#include "gui/CGuiFrame.h"
#include "platform/soft/desktop.h"

namespace {

intptr_t VSTCALL quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A host window of the editor's size at the screen scale the state's argument gives.
platform::Window* hostAtScreenScale(const benchmark::State& state) {
    platform::soft::resetDesktop();
    const int percent = static_cast<int>(state.range(0));
    platform::soft::setSystemScale(static_cast<float>(percent) / 100.0f);
    return platform::soft::createHostWindow(nullptr, platform::kStyleCaption,
                                            {0, 0, 454 * percent / 100, 269 * percent / 100});
}

struct OpenEditor {
    explicit OpenEditor(const benchmark::State& state) {
        host = hostAtScreenScale(state);
        effect = std::make_unique<CEffect>(quietHost);
        editor = dynamic_cast<CEffectEditor*>(effect->editor);
    }
    void open() {
        editor->open(host);
        platform::invalidateWindow(editor->frame->childWindow);
        platform::dispatchOnePendingPaint();
        editor->idle();
    }
    platform::Window* host;
    std::unique_ptr<CEffect> effect;
    CEffectEditor* editor;
};

void openTheEditor(benchmark::State& state) {
    OpenEditor fixture(state);
    for (auto _ : state) {
        fixture.editor->open(fixture.host);
        state.PauseTiming();
        fixture.editor->close();
        state.ResumeTiming();
    }
}
BENCHMARK(openTheEditor)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(200);

void loadTheSkinAndOpen(benchmark::State& state) {
    platform::Window* host = hostAtScreenScale(state);
    CEffect effect(quietHost);
    for (auto _ : state) {
        auto* editor = new CEffectEditor(&effect);  // takes the effect's editor slot
        editor->open(host);
        state.PauseTiming();
        editor->close();
        delete editor;
        state.ResumeTiming();
    }
    effect.editor = nullptr;
}
BENCHMARK(loadTheSkinAndOpen)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(200);

void idleWithNothingToRepaint(benchmark::State& state) {
    OpenEditor fixture(state);
    fixture.open();
    for (auto _ : state)
        fixture.editor->idle();
}
BENCHMARK(idleWithNothingToRepaint)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(200);

void fullRepaint(benchmark::State& state) {
    OpenEditor fixture(state);
    fixture.open();
    for (auto _ : state)
        fixture.editor->repaintAll();
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(200);


// The host turns the azimuth speed; the idle's repaint paints its knob and read-out (the idle's
// other work is the row of the idle with nothing to repaint).
void oneKnobChange(benchmark::State& state) {
    OpenEditor fixture(state);
    fixture.open();
    bool high = false;
    for (auto _ : state) {
        high = !high;
        fixture.effect->setParameter(kAzimuthSpeed, high ? 0.8f : 0.2f);
        fixture.editor->frame->refreshIfNeeded();
    }
}
BENCHMARK(oneKnobChange)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(200);

// What one pass of the view's drag does: new azimuth and distance, the view painted, both
// reported (automation, and every control of the two parameters repainted).
void positionViewDragPass(benchmark::State& state) {
    OpenEditor fixture(state);
    fixture.open();
    auto* view = dynamic_cast<CPositionView*>(fixture.editor->controls[0]);
    platform::Window* window = fixture.editor->frame->childWindow;
    platform::DeviceContext* deviceContext = platform::windowContext(window);
    CGuiContext context(fixture.editor->frame, deviceContext, window);
    float azimuth = 0.0f;
    for (auto _ : state) {
        azimuth = azimuth >= 1.0f ? 0.0f : azimuth + 0.01f;
        view->linkedValue(0)->setCurrentValue(azimuth);
        view->linkedValue(1)->setCurrentValue(1.0f - azimuth);
        view->paint(&context);
        fixture.editor->valueChanged(&context, view->linkedValue(0));
        fixture.editor->valueChanged(&context, view->linkedValue(1));
    }
    platform::releaseWindowContext(window, deviceContext);
}
BENCHMARK(positionViewDragPass)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(200);

}  // namespace

BENCHMARK_MAIN();
