#pragma once

#include <vector>

#include "MathUtils/Vector3D.h"

// The two jagged strips framing a room of the underwater game, as vertex pairs
// (base, then top vertex) walked round the room's four sides; pair 0 stands at
// the origin. Pure geometry: the top strip draws its raggedness from
// levelRandom, which the caller seeds.

enum BorderStripKind { borderTopStrip, borderBottomStrip };

// Exact arithmetic gives a side five pairs; float rounding may add a sixth.
const unsigned int borderSideMaxPairs = 6;

// The first build: every pair's two positions (2 per pair, pair 0 first) and
// how many pairs each side got.
void borderStripFirstBuild(BorderStripKind kind, float left, float right, float bottom, float top,
                           std::vector<Vector3D>& positions, unsigned int sidePairs[4]);

// A rebuild for other bounds: pair 0 and sides 1 to 3 again, in place, each side
// clamped to the pair count of its first build; side 4 keeps its positions.
void borderStripRebuild(BorderStripKind kind, float left, float right, float bottom, float top,
                        const unsigned int sidePairs[4], std::vector<Vector3D>& positions);
