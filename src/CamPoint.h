#pragma once

#include "MathUtils/Vector3D.h"

// One point moved by a small script: up to 15 moves (distance-driven) and up
// to 15 speed keys (time-driven), dispatched by op code through static tables.
// The tables come from a file, so every index read from them is checked: a
// track that meets something it cannot play stops for good.
class CamPoint {
public:
    static const int maxRows = 15;
    static const int moveOpCount = 4;
    static const int prepareOpCount = 5;
    static const int speedOpCount = 5;

    typedef void (*Op)(CamPoint&);
    typedef float (*SpeedOp)(CamPoint&);

    int nb = 0;
    float mouvs[maxRows][7] = {};
    int nbOp[maxRows] = {};
    Vector3D p;
    Vector3D old;
    int step = 0;
    float vit[maxRows][4] = {};
    int nbVit = 0;
    int nbOpVit[maxRows] = {};
    int vitStep = 0;
    float currentDist = 0.0f;
    float currentDistParc = 0.0f;
    float temps = 0.0f;
    static float dt;
    int offset = 0;
    int offsetVit = 0;

    static Op ops[moveOpCount];
    static Op prepare[prepareOpCount];
    static SpeedOp opsVit[speedOpCount];

    // Loop-end hops since the last real move or key, and move ends in this
    // frame: all bounded, so that no table can recurse without end.
    int loopHops = 0;
    int speedHops = 0;
    int movesEnded = 0;

    static void init();

    static void reset(CamPoint& point);
    static void translate(CamPoint& point);
    static void rotate(CamPoint& point);
    static void cubic(CamPoint& point);
    static void loopEnd(CamPoint& point);
    static void prepareTranslate(CamPoint& point);
    static void prepareRotate(CamPoint& point);

    static float resetVit(CamPoint& point);
    static float linearVit(CamPoint& point);
    static float cosVit(CamPoint& point);
    static float cubicVit(CamPoint& point);
    static float loopEndVit(CamPoint& point);

    // Both lists still have a current entry.
    bool running() const { return step >= 0 && step < nb && vitStep >= 0 && vitStep < nbVit; }
    bool moving() const { return step >= 0 && step < nb; }
    // Stops the track for good, with one line saying why.
    void stop(const char* why, int value);

    // The preparation and the per-frame operation of the current move, by its
    // op code; an op code outside the table stops the track.
    void runPrepare();
    void runMove();
    // The speed of key vitStep by its op code; 0 when the keys are spent.
    float speed();
    // One frame of the driver: the move, then the speed-key advance.
    void frame();
    // What a loop-end move or key does to the indices: passes consumed, the
    // jump back, or the step past a spent loop. False when there is nothing
    // to run next (spent keys, or the track stopped on a bad target).
    bool leaveLoop();
    bool leaveSpeedLoop();
    // The speed key `vitStep` heads for, blended from the key before it.
    float keyFraction() const;
    int keyIndex(int index) const;
    int moveIndex(int index) const;
};
