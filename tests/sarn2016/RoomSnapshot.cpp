#include "RoomSnapshot.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "DataFile.h"
#include "TestFiles.h"

namespace {

using Room = Sarn2016::Room;

struct Out {
    const Sarn2016& game;
    const Room& room;
    std::ostringstream s;

    int staticIndex(const Transform* t) const {
        for (unsigned int i = 0; i < room.staticObjectCount; ++i)
            if (&room.staticObjects[i].transform == t)
                return int(i);
        return -1;
    }
    void v(const Vector3D& p) { s << p.x << ',' << p.y << ',' << p.z << ' '; }
    // q and -q are the same rotation.
    void q(Quaternion r) {
        if (r.w > 0.0f)
            r = Quaternion(-r.x, -r.y, -r.z, -r.w);
        s << r.x << ',' << r.y << ',' << r.z << ',' << r.w << ' ';
    }
    void box(const AABB& b) {
        v(b.start);
        v(b.end);
    }
    void group(const Sarn2016::ObjectGroup& g) {
        s << "{";
        for (std::size_t i = 0; i < g.objects.size(); ++i) {
            s << "o" << staticIndex(g.objects[i]) << ' ';
            v(g.anchors[i]);
            q(g.relativeOrientations[i]);
        }
        for (std::size_t i = 0; i < g.timeRatios.size(); ++i) {
            s << "f" << g.timeRatios[i] << ' ';
            v(g.positions[i]);
            q(g.orientations[i]);
        }
        for (const Sarn2016::ObjectGroup* child : g.children)
            group(*child);
        s << "}";
    }
    void mechanism(const Sarn2016::Mechanism& m) {
        v(m.position);
        q(m.orientation);
        s << m.end << ' ' << m.runningTime;
        for (const Sarn2016::ObjectGroup& g : m.objectGroups)
            group(g);
    }
    void tree(const Sarn2016::CodeTree* node) {
        if (!node) {
            s << "-";
            return;
        }
        s << "(" << Room::codeTreeFuncToString(node->code);
        if (node->funcData && node->code == g_launchCameraPath) {
            s << " path"
              << (static_cast<const Sarn2016::CameraPath*>(node->funcData) -
                  room.cameraPaths.data());
        } else if (node->funcData) {
            const Sarn2016::Door* d = static_cast<const Sarn2016::Door*>(node->funcData);
            for (const Room& r : game.rooms)
                if (d >= r.doors && d < r.doors + Room::maxDoors)
                    s << " room" << (&r - game.rooms) << " door" << (d - r.doors);
        }
        s << ' ';
        tree(node->ifTrue);
        tree(node->ifFalse);
        s << ")";
    }
};

} // namespace

std::string roomSnapshot(const Sarn2016& game, const Room& room) {
    Out o{game, room, {}};
    std::ostringstream& s = o.s;
    s.precision(std::numeric_limits<float>::max_digits10);
    s << room.left << ' ' << room.right << ' ' << room.bottom << ' ' << room.top << ' '
      << room.entryTransition << '\n';
    for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
        const Sarn2016::Sarn2016Displayable& d = room.staticObjects[i];
        o.v(d.transform.position);
        o.q(d.transform.orientation);
        s << (d.object ? d.object - game.displayables : -1) << ' '
          << (d.texture ? d.texture - game.textures : -1) << '\n';
    }
    for (unsigned int i = 0; i < room.doorCount; ++i) {
        const Sarn2016::Door& d = room.doors[i];
        s << "door ";
        o.mechanism(d.mechanism);
        o.box(d.roomChangeArea);
        s << (d.room ? d.room - game.rooms : -1) << ' ' << d.playerPosition.x << ','
          << d.playerPosition.y << '\n';
    }
    for (unsigned int i = 0; i < room.leverCount; ++i) {
        s << "lever ";
        o.mechanism(room.levers[i].mechanism);
        o.box(room.levers[i].interactionArea);
        o.tree(room.levers[i].effect);
        s << '\n';
    }
    auto trigger = [&](const Sarn2016::Trigger& t) {
        o.v(t.position);
        o.box(t.box);
        o.tree(t.effect);
        s << '\n';
    };
    for (unsigned int i = 0; i < room.collectibleCount; ++i) {
        const Sarn2016::Collectible& c = room.collectibles[i];
        s << "key " << (c.displayable ? c.displayable - room.staticObjects : -1) << ' ';
        trigger(c.trigger);
    }
    for (unsigned int i = 0; i < room.triggerCount; ++i) {
        s << "trigger ";
        trigger(room.triggers[i]);
    }
    for (const Sarn2016::CameraPath& path : room.cameraPaths) {
        s << "path " << path.duration;
        for (const Sarn2016::CameraWaypoint& w : path.waypoints) {
            s << " [";
            o.v(w.eye);
            o.v(w.target);
            s << w.timeRatio << "]";
        }
        s << '\n';
    }
    return s.str();
}

std::unique_ptr<Sarn2016> loadedLevel() {
    auto game = std::make_unique<Sarn2016>();
    testing::internal::CaptureStdout();
    bool loaded = game->loadLevel("data/Sarn2016/level.json");
    testing::internal::GetCapturedStdout();
    return loaded ? std::move(game) : nullptr;
}

bool writeRoom(Sarn2016& game, const Room& room, const std::string& path, std::string& err) {
    testing::internal::CaptureStderr();
    bool ok =
        room.toJson(path.c_str(), &game.texturesDB, &game.displayablesDB, game.roomDictionary);
    err = testing::internal::GetCapturedStderr();
    return ok;
}

bool readRoom(Sarn2016& game, Room& room, const std::string& path) {
    testing::internal::CaptureStdout();
    bool ok =
        room.loadRoom(path.c_str(), &game.texturesDB, &game.displayablesDB, game.roomDictionary);
    testing::internal::GetCapturedStdout();
    return ok;
}

void expectRoundTrip(Sarn2016& game, Room& room, const std::string& name) {
    std::string b = writeTestFile("sarn2016writer/" + name + ".b.json", "");
    std::string c = writeTestFile("sarn2016writer/" + name + ".c.json", "");
    std::string err;
    ASSERT_TRUE(writeRoom(game, room, b, err)) << name << err;
    std::unique_ptr<Sarn2016> fresh = loadedLevel();
    ASSERT_TRUE(fresh);
    Room& copy = fresh->rooms[&room - game.rooms];
    // A door without "open" keeps the end of the slot's earlier load, here
    // the shipped room's: flipped, it cannot stand in for a dropped "open".
    for (Sarn2016::Door& door : copy.doors)
        door.mechanism.end = !door.mechanism.end;
    ASSERT_TRUE(readRoom(*fresh, copy, b)) << name;
    EXPECT_EQ(roomSnapshot(game, room), roomSnapshot(*fresh, copy)) << name;
    ASSERT_TRUE(writeRoom(*fresh, copy, c, err)) << name << err;
    std::string first, second;
    readFileQuietly(b, first, err);
    readFileQuietly(c, second, err);
    EXPECT_TRUE(first == second) << b << " and " << c << " differ";
}
