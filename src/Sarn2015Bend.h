#pragma once

// The rim of the orbit prototype's disc: flat out to terrainRay, then rolled
// down over a cylinder of radius 4 under the rim, by at most half a turn. The
// conveyor-map vertex shader bends every vertex of the grass tiles with the
// same formula, so a prop stands where the ground under its anchor rolls to.

enum class PropBend { skipped, flat, bent };

// A prop at ground offset (x, y) from the view centre and height z, its mesh
// anchored at (anchorX, anchorY): skipped at or beyond maxRay, flat within
// terrainRay, otherwise bent with modelMat its model matrix. Finite at every
// radius, terrainRay 0 included.
PropBend bendProp(float x, float y, float z, float terrainRay, float maxRay, float anchorX,
                  float anchorY, float* modelMat);
