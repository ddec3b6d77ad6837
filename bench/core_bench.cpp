#include "slotgrid.h"
#include "spritetable.h"
#include "surface.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace mosaikon {
namespace {

// Pixels that differ, so no transfer can shortcut a run of equal ones.
PixelSurface patterned(int size) {
    PixelSurface s(size, size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) s.setPixel(x, y, rgb(x, y, x ^ y));
    return s;
}

// The largest table there is: every slot used, both adjustments, origin in the middle.
void BM_BuildSpriteTableFullGrid(benchmark::State &state) {
    SlotGrid grid;
    for (std::size_t i = 0; i < SlotCount; ++i) {
        grid.slots[i].Tag = std::to_string(i * 2);
        grid.SlotAttr[i] = AttrHV;
    }
    grid.setOrigin(27);
    for (auto _ : state) {
        std::string text = BuildSpriteTable(grid, true, true);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_BuildSpriteTableFullGrid);

// Loading a sheet: the view's top-left 128 x 128 enlarged over all of its 256 x 256, in place.
void BM_EnlargeViewInPlace(benchmark::State &state) {
    PixelSurface view = patterned(ViewSize);
    for (auto _ : state) {
        StretchBlt(view, 0, 0, ViewSize, ViewSize, view, 0, 0, SheetShown, SheetShown);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EnlargeViewInPlace);

// A click on a slot: one step of the flip cycle, mirroring the 64 x 64 picture in place.
void BM_CycleFlipMirror(benchmark::State &state) {
    SlotGrid grid;
    grid.source = patterned(ViewSize);
    grid.placeTile(0);
    for (auto _ : state) {
        grid.cycleFlip(0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CycleFlipMirror);

} // namespace
} // namespace mosaikon
