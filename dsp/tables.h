// The oscillators' wave tables and the position tables of the render loop, built once by the
// first update.
#pragma once

struct SpatialiserState;

struct PositionWeights {
    float front;    // 0..1
    float lateral;  // -0.8..0.8, negative to the left
    float rear;     // 0..1
};

// x in -1..1: 0 front, -0.5 hard left, +0.5 hard right, +/-1 behind.
PositionWeights positionMap(float x);

// Fills entries 0..8191 of the three wave tables and 0..8192 of the position tables.
void buildTables(SpatialiserState& state);
