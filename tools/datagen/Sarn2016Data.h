#pragma once

class DataOutput;

// The underwater game's data: its pictures (with the glyph atlas and the
// refraction frames), its meshes and collider, and the shipped level with its
// room files.
void writeSarn2016Images(DataOutput& out);
void writeSarn2016Meshes(DataOutput& out);
void writeSarn2016Level(DataOutput& out);

inline void writeSarn2016Data(DataOutput& out) {
    writeSarn2016Images(out);
    writeSarn2016Meshes(out);
    writeSarn2016Level(out);
}
