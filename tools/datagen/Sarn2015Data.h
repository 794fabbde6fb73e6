#pragma once

class DataOutput;

// What only the orbit prototype Sarn2015 loads: its tree and crate meshes and
// the star backdrop. The walls, floor pieces, their textures and the grass it
// shares come from the underwater game's writer.
void writeSarn2015Data(DataOutput& out);
