#pragma once

class DataOutput;

// What only the orbit prototype Sarn2015 loads: its tree mesh and the star
// backdrop. The walls, wood and grass it shares come from the Sarn2016 writer.
void writeSarn2015Data(DataOutput& out);
