#include "CamPoint.h"

#include "MathUtils/Matrix.h"

#include <cmath>
#include <cstdio>

float CamPoint::dt = 0.0f;
CamPoint::Op CamPoint::ops[moveOpCount] = {reset, translate, rotate, cubic};
CamPoint::Op CamPoint::prepare[prepareOpCount] = {reset, prepareTranslate, prepareRotate,
                                                  prepareTranslate, loopEnd};
CamPoint::SpeedOp CamPoint::opsVit[speedOpCount] = {resetVit, linearVit, cosVit, cubicVit,
                                                    loopEndVit};

namespace {

bool finite(const Vector3D& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A result that overflowed keeps the point where it was.
void place(CamPoint& point, const Vector3D& v) {
    if (finite(v))
        point.p = v;
}

Vector3D rowPoint(const float* row) {
    return Vector3D(row[0], row[1], row[2]);
}

float length(const Vector3D& v) {
    return sqrtf(Vector3D::dotProduct(v, v));
}

// The index a loop names, truncated toward zero; -1 when it is not below count.
int loadedIndex(float value, int count) {
    if (!(value > -1.0f && value < static_cast<float>(count)))
        return -1;
    return static_cast<int>(value);
}

// Adds this frame's advance to the current move. True while the move goes on,
// with f its fraction; false once it has ended or the track stopped.
bool advance(CamPoint& point, float& f) {
    float speed = point.speed();
    if (!point.moving())
        return false;
    point.currentDistParc += CamPoint::dt * speed;
    // A move of no length ends at once, whatever the speed (no 0 / 0).
    if (!(point.currentDist > 0.0f) || point.currentDistParc > point.currentDist)
        return false;
    // A negative speed gives a negative fraction: the point runs back along
    // the line or arc of its move, past its start.
    f = point.currentDistParc / point.currentDist;
    return true;
}

// The next move starts from zero in the same frame: the overshoot is dropped.
// Bounded per frame, so a loop of moves shorter than one frame's advance
// drops the rest of that advance too.
void endMove(CamPoint& point) {
    point.step += 1;
    if (!point.moving())
        return;
    point.runPrepare();
    if (++point.movesEnded > CamPoint::maxRows)
        return;
    point.runMove();
}

} // namespace

void CamPoint::init() {
    ops[0] = reset;
    ops[1] = translate;
    ops[2] = rotate;
    ops[3] = cubic;
    prepare[0] = reset;
    prepare[1] = prepareTranslate;
    prepare[2] = prepareRotate;
    prepare[3] = prepareTranslate;
    prepare[4] = loopEnd;
    opsVit[0] = resetVit;
    opsVit[1] = linearVit;
    opsVit[2] = cosVit;
    opsVit[3] = cubicVit;
    opsVit[4] = loopEndVit;
}

void CamPoint::stop(const char* why, int value) {
    std::printf("Camera track stopped: %s %d\n", why, value);
    step = nb;
    vitStep = nbVit;
}

int CamPoint::moveIndex(int index) const {
    return index < 0 ? 0 : (index >= nb ? nb - 1 : index);
}

int CamPoint::keyIndex(int index) const {
    return index < 0 ? 0 : (index >= nbVit ? nbVit - 1 : index);
}

void CamPoint::runPrepare() {
    if (!moving())
        return;
    int op = nbOp[step];
    if (op < 0 || op >= prepareOpCount) {
        stop("move op code", op);
        return;
    }
    if (op != 4)
        loopHops = 0;
    prepare[op](*this);
}

void CamPoint::runMove() {
    if (!moving())
        return;
    int op = nbOp[step];
    if (op < 0 || op >= moveOpCount) {
        stop("move op code", op);
        return;
    }
    ops[op](*this);
}

float CamPoint::speed() {
    if (vitStep < 0 || vitStep >= nbVit)
        return 0.0f;
    int op = nbOpVit[vitStep];
    if (op < 0 || op >= speedOpCount) {
        stop("speed op code", op);
        return 0.0f;
    }
    if (op != 4)
        speedHops = 0;
    float value = opsVit[op](*this);
    return std::isfinite(value) ? value : 0.0f;
}

void CamPoint::frame() {
    if (!running())
        return;
    bool behind = vit[vitStep][0] < temps;
    movesEnded = 0;
    runMove();
    if (behind)
        vitStep += 1;
}

bool CamPoint::leaveLoop() {
    if (++loopHops > nb) {
        stop("loop ends lead back to themselves at move", step);
        return false;
    }
    float* row = mouvs[step];
    float passes = row[1];
    if (passes != -1.0f && passes <= 1.0f) {
        if (step + 1 < nb) {
            step += 1;
            return true;
        }
        // A spent loop end that is the last move loops back for ever.
    } else if (passes != -1.0f) {
        row[1] -= 1.0f;
    }
    int target = loadedIndex(row[0], nb);
    if (target < 0) {
        stop("loop target outside the moves at move", step);
        return false;
    }
    step = target;
    return true;
}

bool CamPoint::leaveSpeedLoop() {
    if (++speedHops > nbVit) {
        stop("loop ends lead back to themselves at speed key", vitStep);
        return false;
    }
    float* key = vit[vitStep];
    float passes = key[3];
    if (passes != -1.0f && passes <= 1.0f) {
        vitStep += 1;
        return vitStep < nbVit;
    }
    if (passes != -1.0f)
        key[3] -= 1.0f;
    int target = loadedIndex(key[1], nbVit);
    if (target < 0) {
        stop("loop target outside the speed keys at key", vitStep);
        return false;
    }
    temps = key[2];
    vitStep = target;
    return true;
}

float CamPoint::keyFraction() const {
    float from = vit[keyIndex(vitStep - 1)][0];
    float to = vit[vitStep][0];
    // Keys at the same time: the later key's speed.
    if (to == from)
        return 1.0f;
    float t = (temps - from) / (to - from);
    return t;
}

void CamPoint::reset(CamPoint& point) {
    if (point.moving())
        place(point, rowPoint(point.mouvs[point.step]));
}

void CamPoint::prepareTranslate(CamPoint& point) {
    point.currentDist = length(rowPoint(point.mouvs[point.step]) - point.p);
    point.currentDistParc = 0.0f;
    point.old = point.p;
}

void CamPoint::prepareRotate(CamPoint& point) {
    const float* row = point.mouvs[point.step];
    float radius = length(rowPoint(row) - point.p);
    float arc = radius * 6.283185f;
    // A negative angle turns the other way over the same length.
    arc = arc * (std::fabs(row[3]) / 360.0f);
    point.currentDist = arc;
    point.currentDistParc = 0.0f;
    point.old = point.p;
}

void CamPoint::translate(CamPoint& point) {
    float f;
    if (!advance(point, f)) {
        reset(point);
        endMove(point);
        return;
    }
    Vector3D target = rowPoint(point.mouvs[point.step]);
    place(point, point.old + (target - point.old) * f);
}

void CamPoint::rotate(CamPoint& point) {
    float f;
    if (!advance(point, f)) {
        endMove(point);
        return;
    }
    const float* row = point.mouvs[point.step];
    Vector3D centre = rowPoint(row);
    Vector3D axis(row[4], row[5], row[6]);
    float axisLength = length(axis);
    Vector3D offset = point.old - centre;
    if (axisLength > 0.0f && std::isfinite(axisLength)) {
        axis = axis * (1.0f / axisLength);
        // The matrix is read by rows, so the offset turns by minus the angle;
        // the stored flights are made for that.
        float m[16];
        identity(m);
        rotatefDegres(m, row[3] * f, axis.x, axis.y, axis.z);
        mulVectorMatrix(&offset.x, &offset.y, &offset.z, m);
    }
    place(point, centre + offset);
}

void CamPoint::cubic(CamPoint& point) {
    float f;
    if (!advance(point, f)) {
        reset(point);
        endMove(point);
        return;
    }
    int s = point.step;
    Vector3D p0 = rowPoint(point.mouvs[point.moveIndex(s - 2)]);
    Vector3D p1 = point.old;
    Vector3D p2 = rowPoint(point.mouvs[s]);
    // The row after the move as the table holds it: a row nothing was loaded
    // into is zero, and so is the one past the table's end.
    Vector3D p3 = s + 1 < CamPoint::maxRows ? rowPoint(point.mouvs[s + 1]) : Vector3D();
    float t = f;
    float t2 = t * t;
    Vector3D a = p3 - p2 - p0 + p1;
    Vector3D b = p0 - p1 - a;
    Vector3D c = p2 - p0;
    place(point, a * (t * t2) + b * t2 + c * t + p1);
}

void CamPoint::loopEnd(CamPoint& point) {
    if (point.moving() && point.leaveLoop())
        point.runPrepare();
}

float CamPoint::resetVit(CamPoint& point) {
    return point.vit[point.vitStep][1];
}

float CamPoint::linearVit(CamPoint& point) {
    float from = point.vit[point.keyIndex(point.vitStep - 1)][1];
    float to = point.vit[point.vitStep][1];
    return from + (to - from) * point.keyFraction();
}

float CamPoint::cosVit(CamPoint& point) {
    float e = (1.0f - cosf(point.keyFraction() * 3.1415925f)) / 2.0f;
    float from = point.vit[point.keyIndex(point.vitStep - 1)][1];
    float to = point.vit[point.vitStep][1];
    return from * (1.0f - e) + to * e;
}

float CamPoint::cubicVit(CamPoint& point) {
    int k = point.vitStep;
    float s0 = point.vit[point.keyIndex(k - 2)][1];
    float s1 = point.vit[point.keyIndex(k - 1)][1];
    float s2 = point.vit[k][1];
    // The key after as the table holds it: zero after the last loaded key,
    // and past the table's end.
    float s3 = k + 1 < CamPoint::maxRows ? point.vit[k + 1][1] : 0.0f;
    float t = point.keyFraction();
    float t2 = t * t;
    float a = s3 - s2 - s0 + s1;
    float b = s0 - s1 - a;
    float c = s2 - s0;
    return a * t * t2 + b * t2 + c * t + s1;
}

float CamPoint::loopEndVit(CamPoint& point) {
    return point.leaveSpeedLoop() ? point.speed() : 0.0f;
}
