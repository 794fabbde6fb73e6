#pragma once

class DataOutput;

// Everything the dodge game Example loads: sprite images, the title card,
// meshes, the collider and the traffic schedule.
void writeExampleData(DataOutput& out);

void writeExampleImages(DataOutput& out);
void writeExampleMeshes(DataOutput& out);
void writeExampleTraffic(DataOutput& out);
