// What an editor repaint costs on the soft backend: full-size blits, fills, curves and text.
#include <benchmark/benchmark.h>

#include "platform/platform.h"

using namespace platform;

namespace {

constexpr int kWidth = 454, kHeight = 269;  // the editor's size

struct Target {
    Target() : context(createMemoryContext(nullptr)), surface(createCompatibleSurface(nullptr, kWidth, kHeight)) {
        selectSurface(context, surface);
    }
    ~Target() {
        deleteMemoryContext(context);
        deleteSurface(surface);
    }
    DeviceContext* context;
    Surface* surface;
};

void copyWholeEditor(benchmark::State& state) {
    Target source, destination;
    for (auto _ : state) bitBlt(destination.context, 0, 0, kWidth, kHeight, source.context, 0, 0, RasterOp::Copy);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(copyWholeEditor);

void fillWholeEditor(benchmark::State& state) {
    Target target;
    Brush* brush = createSolidBrush(makeColour(10, 20, 30));
    for (auto _ : state) fillRect(target.context, {0, 0, kWidth, kHeight}, brush);
    deleteBrush(brush);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(fillWholeEditor);

void filledEllipse(benchmark::State& state) {
    Target target;
    for (auto _ : state) drawEllipse(target.context, {20, 20, 211, 211});
}
BENCHMARK(filledEllipse);

void sectorPolygon(benchmark::State& state) {
    Target target;
    selectPen(target.context, nullPen());
    const Point points[] = {{115, 115}, {306, 40}, {190, 306}, {-76, 190}};
    for (auto _ : state) drawPolygon(target.context, points, 4);
}
BENCHMARK(sectorPolygon);

void readOutText(benchmark::State& state) {
    Target target;
    Font* font = createFont({-10, 700, false, false, kPitchVariableSwiss, "Arial"});
    Font* previous = selectFont(target.context, font);
    for (auto _ : state) drawText(target.context, "-180.0", {197, 225, 225, 237}, TextAlign::Center);
    selectFont(target.context, previous);
    deleteFont(font);
}
BENCHMARK(readOutText);

}  // namespace

BENCHMARK_MAIN();
