#include "Traveller.h"

#include "DataFile.h"
#include "MathUtils/Matrix.h"
#include "World.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Floats of payload after a move's op code: the record layout of the file.
int movePayload(int op) {
    switch (op) {
    case 0:
    case 1:
    case 3:
        return 3;
    case 2:
        return 7;
    case 4:
        return 2;
    default:
        return 0;
    }
}

class Cursor {
public:
    explicit Cursor(const std::string& bytes) : bytes(bytes) {}

    bool word(std::uint32_t& out) {
        if (bytes.size() - pos < 4)
            return false;
        const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data()) + pos;
        out = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
        pos += 4;
        return true;
    }
    bool integer(int& out) {
        std::uint32_t w;
        if (!word(w))
            return false;
        std::memcpy(&out, &w, 4);
        return true;
    }
    bool floats(float* out, int count) {
        for (int i = 0; i < count; ++i) {
            std::uint32_t w;
            if (!word(w))
                return false;
            std::memcpy(&out[i], &w, 4);
        }
        return true;
    }
    int position() const { return static_cast<int>(pos); }

private:
    const std::string& bytes;
    std::size_t pos = 0;
};

bool readMoves(Cursor& in, CamPoint& point, bool upTrack) {
    for (int i = 0; i < point.nb; ++i) {
        int op;
        if (!in.integer(op))
            return false;
        point.nbOp[i] = op;
        if (!in.floats(point.mouvs[i], upTrack ? 2 : movePayload(op)))
            return false;
    }
    point.offset = in.position();
    return true;
}

bool readKeys(Cursor& in, CamPoint& point, bool upTrack) {
    for (int i = 0; i < point.nbVit; ++i) {
        int op;
        if (!in.integer(op))
            return false;
        point.nbOpVit[i] = op;
        if (!in.floats(point.vit[i], !upTrack && op == 4 ? 4 : 2))
            return false;
    }
    return true;
}

bool finite(const float* m, int count) {
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(m[i]))
            return false;
    }
    return true;
}

} // namespace

Traveller::Traveller() {
    opsUp[0] = &Traveller::resetUp;
    opsUp[1] = &Traveller::rotateUp;
    opsUp[2] = &Traveller::loopEndUp;
    opsUpVit[0] = &Traveller::resetUpVit;
    opsUpVit[1] = &Traveller::linearUpVit;
    opsUpVit[2] = &Traveller::loopEndUpVit;
    CamPoint::init();
}

bool Traveller::read(const char* path) {
    std::string bytes;
    if (!readDataFile(path, bytes))
        return false;
    Cursor in(bytes);
    CamPoint* points[3] = {&cam, &vue, &up};
    int header[12];
    for (int& value : header) {
        if (!in.integer(value))
            return dataFileError(path, "shorter than its header");
    }
    for (int i = 0; i < 6; ++i) {
        if (header[i] < 0 || header[i] > CamPoint::maxRows)
            return dataFileError(path, "a count outside 0..15");
    }
    for (int i = 0; i < 3; ++i) {
        points[i]->nb = header[i];
        points[i]->nbVit = header[3 + i];
        points[i]->offset = header[6 + i];
        points[i]->offsetVit = header[9 + i];
    }
    for (int i = 0; i < 3; ++i) {
        if (!readMoves(in, *points[i], i == 2))
            return dataFileError(path, "ends inside its moves");
    }
    for (int i = 0; i < 3; ++i) {
        if (!readKeys(in, *points[i], i == 2))
            return dataFileError(path, "ends inside its speed keys");
    }
    return true;
}

bool Traveller::init(const char* path) {
    cam = CamPoint();
    vue = CamPoint();
    up = CamPoint();
    bool loaded = read(path);
    if (!loaded) {
        cam = CamPoint();
        vue = CamPoint();
        up = CamPoint();
    }
    xPrec = 0.0f;
    yPrec = 1.0f;
    cam.p = cam.old = Vector3D(6.0f, 6.0f, 0.0f);
    cam.step = 1;
    vue.p = vue.old = Vector3D(0.0f, 0.0f, -4.0f);
    vue.step = 1;
    upRoll = 0.0f;
    up.p = Vector3D(0.0f, 0.0f, 1.0f);
    oldUpRoll = 0.0f;
    up.step = 1;
    cam.vitStep = 1;
    cam.runPrepare();
    vue.vitStep = 1;
    vue.runPrepare();
    up.vitStep = 1;
    up.currentDistParc = 0.0f;
    return loaded;
}

void Traveller::update(float frameTime) {
    dt = frameTime;
    CamPoint::dt = frameTime;
    cam.temps += frameTime;
    vue.temps += frameTime;
    up.temps += frameTime;
    if (vue.p.x != cam.p.x && vue.p.y != cam.p.y) {
        xPrec = vue.p.x - cam.p.x;
        yPrec = vue.p.y - cam.p.y;
    }
    cam.frame();
    vue.frame();
    if (up.running()) {
        bool behind = up.vit[up.vitStep][0] < up.temps;
        up.movesEnded = 0;
        runUp();
        if (behind)
            up.vitStep += 1;
    }
    if (vue.p.x == cam.p.x && vue.p.y == cam.p.y) {
        up.p = Vector3D(xPrec, yPrec, 0.0f);
    } else if (up.nb > 0) {
        float z = up.mouvs[up.moveIndex(up.step - 1)][0];
        if (std::isfinite(z))
            up.p = Vector3D(0.0f, 0.0f, z);
    }
}

void Traveller::placeCamera() {
    if (!monde)
        return;
    Vector3D d = vue.p - cam.p;
    d.normalize();
    Vector3D s = Vector3D::crossProduct(d, up.p);
    Vector3D b = Vector3D::crossProduct(s, d);
    rotateUp(upRoll, &d, &b);
    float view[16];
    lookAt(view, cam.p.x, cam.p.y, cam.p.z, vue.p.x, vue.p.y, vue.p.z, b.x, b.y, b.z);
    // A view along the up hint has no up: the previous view stays.
    if (finite(view, 16))
        std::memcpy(monde->mvMat, view, sizeof view);
}

void Traveller::rotateUp(float degrees, Vector3D* axis, Vector3D* v) {
    float m[16];
    identity(m);
    rotatefDegres(m, degrees, axis->x, axis->y, axis->z);
    mulVectorMatrix(&v->x, &v->y, &v->z, m);
}

void Traveller::runUp() {
    if (!up.moving())
        return;
    int op = up.nbOp[up.step];
    if (op < 0 || op > 2) {
        up.stop("up move op code", op);
        return;
    }
    if (op != 2)
        up.loopHops = 0;
    UpOp operation = opsUp[op];
    (this->*operation)();
}

float Traveller::upSpeed() {
    if (up.vitStep < 0 || up.vitStep >= up.nbVit)
        return 0.0f;
    int op = up.nbOpVit[up.vitStep];
    if (op < 0 || op > 2) {
        up.stop("up speed op code", op);
        return 0.0f;
    }
    if (op != 2)
        up.speedHops = 0;
    UpSpeedOp speedOf = opsUpVit[op];
    float value = (this->*speedOf)();
    return std::isfinite(value) ? value : 0.0f;
}

void Traveller::resetUp() {
    if (!up.moving())
        return;
    float roll = oldUpRoll + up.mouvs[up.step][1];
    if (std::isfinite(roll))
        upRoll = roll;
    oldUpRoll = upRoll;
    up.step += 1;
    up.currentDistParc = 0.0f;
}

void Traveller::rotateUp() {
    float speed = upSpeed();
    if (!up.moving())
        return;
    up.currentDistParc += dt * speed;
    float roll = up.mouvs[up.step][1];
    float span = std::fabs(roll);
    // A zero roll is done at once; a negative one turns the other way.
    if (!(span > 0.0f) || up.currentDistParc > span) {
        resetUp();
        if (up.moving() && ++up.movesEnded <= CamPoint::maxRows)
            runUp();
        return;
    }
    float value = oldUpRoll + roll * (up.currentDistParc / span);
    if (std::isfinite(value))
        upRoll = value;
}

void Traveller::loopEndUp() {
    if (up.moving() && up.leaveLoop())
        runUp();
}

float Traveller::resetUpVit() {
    return CamPoint::resetVit(up);
}

float Traveller::linearUpVit() {
    return CamPoint::linearVit(up);
}

float Traveller::loopEndUpVit() {
    return up.leaveSpeedLoop() ? upSpeed() : 0.0f;
}
