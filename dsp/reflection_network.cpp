#include "dsp/reflection_network.h"

#include <iterator>

namespace {

// One pointer's use of one buffer within a sample.
struct Access {
    int32_t position;
    int scalarRank;  // order within a sample when samples run one by one
    int vectorRank;  // order when four samples run at once: reads, couplings, write
    bool writes;
};

template <ReflectionQuality quality>
bool safe(const SpatialiserState& state) {
    const int32_t cycle = state.cycleLength + 1;
    constexpr int couplingCount = static_cast<int>(std::size(Variant<quality>::couplings));
    for (const Side side : {kLeftSide, kRightSide}) {
        Access accesses[4 + 4 + couplingCount + 1];
        int count = 0;
        for (const TapSlot slot : kDifferenceTaps) accesses[count++] = {state.tapIndex[slot], 0, 0, false};
        for (const TapSlot slot : Variant<quality>::sumTaps) accesses[count++] = {state.tapIndex[slot], 0, 0, false};
        accesses[count++] = {state.writeIndex, 1, couplingCount + 1, true};
        for (int i = 0; i < couplingCount; ++i) {
            const Coupling& coupling = Variant<quality>::couplings[i];
            const TapSlot slot = coupling.reducedSide == side ? coupling.reduced : coupling.increased;
            accesses[count++] = {state.tapIndex[slot], 2 + i, 1 + i, true};
        }
        // An access that runs earlier in the vector order must not touch, within the four samples,
        // a slot that a later-ranked access touched in an earlier sample, nor be reordered against
        // it within one sample.
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < count; ++j) {
                const Access& first = accesses[i];
                const Access& second = accesses[j];
                if (first.vectorRank >= second.vectorRank || !(first.writes || second.writes)) continue;
                const int32_t ahead = ((second.position - first.position) % cycle + cycle) % cycle;
                if (ahead >= 1 && ahead <= 3) return false;
                if (ahead == 0 && first.scalarRank > second.scalarRank) return false;
            }
        }
    }
    return true;
}

}  // namespace

bool fourSamplesAtOnce(const SpatialiserState& state, ReflectionQuality quality) {
    return quality == ReflectionQuality::low ? safe<ReflectionQuality::low>(state)
                                             : safe<ReflectionQuality::high>(state);
}
