#pragma once

#include <string>
#include <vector>

#include "Sarn2017.h"

// A breadth-first search over the play rules, written apart from the game so
// that it can judge the levels the generator makes: every state reachable
// from the start, whether the level can be finished, and the states from
// which it no longer can (dead ends). Room boxes are taken not to overlap,
// which the generator tests check.
struct SolverMove {
    enum Kind { click, dropOnSlot, dropInRoom };
    Kind kind;
    int spot = -1;                                 // click, dropInRoom: the room object's spot
    const Sarn2017::ObjectType* dragged = nullptr; // drops
    const Sarn2017::ObjectType* target = nullptr;  // dropOnSlot
};

struct SolverResult {
    bool finishable = false;
    unsigned int states = 0;
    unsigned int deadEnds = 0;
    bool tooBig = false;
    std::vector<SolverMove> shortest; // a shortest way to the finish
    std::string deadEnd;              // one dead-end state, described
};

// Searches from the room as the game holds it, with an empty inventory.
SolverResult solveLevel(Sarn2017& game, unsigned int stateLimit = 200000);
