// The room writer: one room in its current state, in the room file format,
// with every id generated anew. The file is replaced only by a complete one.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <rapidjson/filewritestream.h>
#include <rapidjson/prettywriter.h>

#include "DataFile.h"
#include "Sarn2016.h"

namespace {

using Room = Sarn2016::Room;
using Writer = rapidjson::PrettyWriter<rapidjson::FileWriteStream>;

class RoomWriter {
public:
    RoomWriter(const Room& room, const char* fileName, Writer& w,
               std::map<std::string, Room*>& roomDictionary)
        : room(room), fileName(fileName), w(w), roomDictionary(roomDictionary) {}

    // Keeps the first reason; the file is then refused.
    void refuse(const std::string& why) {
        if (ok)
            dataFileError(fileName, why);
        ok = false;
    }

    // A NaN or an infinity would end rapidjson's output mid-file.
    void number(const char* key, float value) {
        if (!std::isfinite(value)) {
            refuse(where + ": \"" + key + "\" is not a finite number");
            return;
        }
        w.Key(key);
        w.Double(double(value));
    }

    void point(const char* key, const Vector3D& p) {
        w.Key(key);
        w.StartObject();
        number("x", p.x);
        number("y", p.y);
        number("z", p.z);
        w.EndObject();
    }

    void box(const char* key, const AABB& b) {
        w.Key(key);
        w.StartObject();
        point("start", b.start);
        point("end", b.end);
        w.EndObject();
    }

    // The reader rebuilds w as -sqrt(...): a positive w is written as the
    // same rotation with all four components negated.
    void orientation(Quaternion q) {
        if (q.w > 0.0f)
            q = Quaternion(-q.x, -q.y, -q.z, -q.w);
        number("ox", q.x);
        number("oy", q.y);
        number("oz", q.z);
    }

    void pose(const Vector3D& p, const Quaternion& q) {
        number("x", p.x);
        number("y", p.y);
        number("z", p.z);
        orientation(q);
    }

    void name(const Transform* t) {
        if (transformNames.count(t) == 0)
            transformNames[t] = "transform" + std::to_string(namedCount++);
    }

    void nameGroup(const Sarn2016::ObjectGroup& group) {
        for (const Transform* t : group.objects)
            name(t);
        for (const Sarn2016::ObjectGroup* child : group.children)
            nameGroup(*child);
    }

    // The transforms that mechanisms move: levers first, then doors.
    void collectDynamicTransforms() {
        for (unsigned int i = 0; i < room.leverCount; ++i)
            for (const Sarn2016::ObjectGroup& group : room.levers[i].mechanism.objectGroups)
                nameGroup(group);
        for (unsigned int i = 0; i < room.doorCount; ++i)
            for (const Sarn2016::ObjectGroup& group : room.doors[i].mechanism.objectGroups)
                nameGroup(group);
        for (auto& named : transformNames) {
            if (staticIndex(named.first) < 0)
                refuse("a mechanism moves an object that is none of the room's static objects");
        }
    }

    int staticIndex(const Transform* t) const {
        for (unsigned int i = 0; i < room.staticObjectCount; ++i)
            if (&room.staticObjects[i].transform == t)
                return int(i);
        return -1;
    }

    void staticObjects(const std::map<const Texture*, std::string>& textures,
                       const std::map<const ObjectApp*, std::string>& models) {
        w.Key("staticObjects");
        w.StartArray();
        for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
            const Sarn2016::Sarn2016Displayable& object = room.staticObjects[i];
            where = "static object " + std::to_string(i);
            w.StartObject();
            if (transformNames.count(&object.transform) == 0) {
                for (unsigned int j = 0; j < room.collectibleCount; ++j) {
                    if (room.collectibles[j].displayable == &object) {
                        transformNames[&object.transform] = "key" + std::to_string(j);
                        break;
                    }
                }
            }
            auto id = transformNames.find(&object.transform);
            if (id != transformNames.end()) {
                w.Key("id");
                w.String(id->second.c_str());
            }
            const Vector3D& p = object.transform.position;
            number("x", p.x);
            number("y", p.y);
            number("z", p.z);
            const Quaternion& q = object.transform.orientation;
            if (q.x != 0.0f || q.y != 0.0f || q.z != 0.0f)
                orientation(q);
            auto model = models.find(object.object);
            auto texture = textures.find(object.texture);
            if (model == models.end() || texture == textures.end()) {
                refuse(where + ": its model or texture is not in the level's tables");
            } else {
                w.Key("model");
                w.String(model->second.c_str());
                w.Key("texture");
                w.String(texture->second.c_str());
            }
            w.EndObject();
        }
        w.EndArray();
    }

    void codeTreeId(const Sarn2016::CodeTree* effect, const std::string& id) {
        if (!effect)
            refuse(where + ": has no code tree");
        codeTrees[id] = effect;
        w.Key("codeTreeId");
        w.String(id.c_str());
    }

    void trigger(const Sarn2016::Trigger& t, const std::string& treeId) {
        codeTreeId(t.effect, treeId);
        box("AABB", t.box);
        point("position", t.position);
    }

    void collectibles() {
        if (room.collectibleCount == 0)
            return;
        w.Key("collectibles");
        w.StartArray();
        for (unsigned int i = 0; i < room.collectibleCount; ++i) {
            const Sarn2016::Collectible& c = room.collectibles[i];
            std::string n = std::to_string(i);
            where = "collectible " + n;
            w.StartObject();
            w.Key("id");
            w.String(("collectible" + n).c_str());
            auto id = c.displayable ? transformNames.find(&c.displayable->transform)
                                    : transformNames.end();
            if (id != transformNames.end()) {
                w.Key("transformId");
                w.String(id->second.c_str());
            }
            w.Key("trigger");
            w.StartObject();
            trigger(c.trigger, "collectible" + n + "code");
            w.EndObject();
            w.EndObject();
        }
        w.EndArray();
    }

    void mechanismId(const Sarn2016::Mechanism& m, const std::string& id) {
        mechanisms[id] = &m;
        w.Key("mechanismId");
        w.String(id.c_str());
    }

    void levers() {
        if (room.leverCount == 0)
            return;
        w.Key("levers");
        w.StartArray();
        for (unsigned int i = 0; i < room.leverCount; ++i) {
            const Sarn2016::Lever& lever = room.levers[i];
            std::string n = std::to_string(i);
            where = "lever " + n;
            w.StartObject();
            mechanismId(lever.mechanism, "lever" + n + "mechanism");
            codeTreeId(lever.effect, "lever" + n + "code");
            pose(lever.mechanism.position, lever.mechanism.orientation);
            w.Key("end");
            w.Bool(lever.mechanism.end);
            box("interactionAABB", lever.interactionArea);
            w.EndObject();
        }
        w.EndArray();
    }

    // The first name of a room in the dictionary, or null.
    const std::string* roomName(const Room* r) const {
        for (auto& named : roomDictionary)
            if (named.second == r)
                return &named.first;
        return nullptr;
    }

    void doors() {
        if (room.doorCount == 0)
            return;
        w.Key("doors");
        w.StartArray();
        for (unsigned int i = 0; i < room.doorCount; ++i) {
            const Sarn2016::Door& door = room.doors[i];
            std::string n = std::to_string(i);
            where = "door " + n;
            w.StartObject();
            w.Key("id");
            w.String(("door" + n).c_str());
            mechanismId(door.mechanism, "door" + n + "mechanism");
            pose(door.mechanism.position, door.mechanism.orientation);
            w.Key("open");
            w.Bool(door.mechanism.end);
            box("roomChangeAABB", door.roomChangeArea);
            if (const std::string* name = door.room ? roomName(door.room) : nullptr) {
                w.Key("room");
                w.String(name->c_str());
            }
            w.Key("playerPosition");
            w.StartObject();
            number("x", door.playerPosition.x);
            number("y", door.playerPosition.y);
            w.EndObject();
            w.EndObject();
        }
        w.EndArray();
    }

    void objectGroup(const Sarn2016::ObjectGroup& group) {
        if (group.anchors.size() < group.objects.size() ||
            group.relativeOrientations.size() < group.objects.size() ||
            group.positions.size() < group.timeRatios.size() ||
            group.orientations.size() < group.timeRatios.size()) {
            refuse(where + ": an object group's lists do not line up");
            return;
        }
        w.StartObject();
        w.Key("objects");
        w.StartArray();
        for (std::size_t i = 0; i < group.objects.size(); ++i) {
            w.StartObject();
            w.Key("transformId");
            w.String(transformNames[group.objects[i]].c_str());
            point("anchor", group.anchors[i]);
            w.Key("relativeOrientation");
            w.StartObject();
            orientation(group.relativeOrientations[i]);
            w.EndObject();
            w.EndObject();
        }
        w.EndArray();
        w.Key("frames");
        w.StartArray();
        for (std::size_t i = 0; i < group.timeRatios.size(); ++i) {
            w.StartObject();
            pose(group.positions[i], group.orientations[i]);
            number("timeRatio", group.timeRatios[i]);
            w.EndObject();
        }
        w.EndArray();
        if (!group.children.empty()) {
            w.Key("children");
            w.StartArray();
            for (const Sarn2016::ObjectGroup* child : group.children)
                objectGroup(*child);
            w.EndArray();
        }
        w.EndObject();
    }

    void mechanismList() {
        if (mechanisms.empty())
            return;
        w.Key("mechanisms");
        w.StartArray();
        for (auto& entry : mechanisms) {
            where = "mechanism \"" + entry.first + "\"";
            w.StartObject();
            w.Key("id");
            w.String(entry.first.c_str());
            number("duration", entry.second->runningTime);
            w.Key("objectGroups");
            w.StartArray();
            for (const Sarn2016::ObjectGroup& group : entry.second->objectGroups)
                objectGroup(group);
            w.EndArray();
            w.EndObject();
        }
        w.EndArray();
    }

    void cameraPaths() {
        if (room.cameraPaths.empty())
            return;
        w.Key("cameraPaths");
        w.StartArray();
        for (std::size_t i = 0; i < room.cameraPaths.size(); ++i) {
            const Sarn2016::CameraPath& path = room.cameraPaths[i];
            where = "camera path " + std::to_string(i);
            w.StartObject();
            w.Key("id");
            w.String(("camerapath" + std::to_string(i)).c_str());
            number("duration", path.duration);
            w.Key("waypoints");
            w.StartArray();
            for (const Sarn2016::CameraWaypoint& waypoint : path.waypoints) {
                w.StartObject();
                point("eye", waypoint.eye);
                point("target", waypoint.target);
                number("timeRatio", waypoint.timeRatio);
                w.EndObject();
            }
            w.EndArray();
            w.EndObject();
        }
        w.EndArray();
    }

    void triggers() {
        if (room.triggerCount == 0)
            return;
        w.Key("triggers");
        w.StartArray();
        for (unsigned int i = 0; i < room.triggerCount; ++i) {
            const Sarn2016::Trigger& t = room.triggers[i];
            where = "trigger " + std::to_string(i);
            w.StartObject();
            codeTreeId(t.effect, "trigger" + std::to_string(i) + "code");
            point("position", t.position);
            box("AABB", t.box);
            w.EndObject();
        }
        w.EndArray();
    }

    template <typename T> static int indexIn(const T* item, const T* first, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            if (&first[i] == item)
                return int(i);
        return -1;
    }

    // An argument that is none of the doors or paths the file can name has no
    // index to write: the room is refused (the reader would follow any index).
    void codeTreeParams(const Sarn2016::CodeTree& node) {
        bool door = node.code == g_launchToggleDoor || node.code == g_toggleDoor;
        if ((!door && node.code != g_launchCameraPath) || !node.funcData)
            return;
        const std::string* otherRoom = nullptr;
        int index;
        if (door) {
            const Sarn2016::Door* d = static_cast<const Sarn2016::Door*>(node.funcData);
            index = indexIn(d, room.doors, room.doorCount);
            if (index < 0 && node.code == g_toggleDoor) {
                for (auto& named : roomDictionary) {
                    index = indexIn(d, named.second->doors, named.second->doorCount);
                    if (index >= 0) {
                        otherRoom = &named.first;
                        break;
                    }
                }
            }
        } else {
            const Sarn2016::CameraPath* p = static_cast<const Sarn2016::CameraPath*>(node.funcData);
            index = indexIn(p, room.cameraPaths.data(), room.cameraPaths.size());
        }
        if (index < 0) {
            refuse(where + ": the argument of \"" + Room::codeTreeFuncToString(node.code) +
                   "\" is no door or path the room file can name");
            return;
        }
        w.Key("params");
        w.StartObject();
        if (otherRoom) {
            w.Key("room");
            w.String(otherRoom->c_str());
        }
        w.Key(door ? "doorIndex" : "camerapathIndex");
        w.Int(index);
        w.EndObject();
    }

    void codeTree(const Sarn2016::CodeTree& node, unsigned int depth) {
        // A tree has at most maxCodes nodes; deeper means a hand-made cycle.
        if (depth > Room::maxCodes) {
            refuse(where + ": a code tree loops");
            return;
        }
        w.StartObject();
        w.Key("func");
        w.String(Room::codeTreeFuncToString(node.code).c_str());
        codeTreeParams(node);
        const char* const branches[] = {"ifTrue", "ifFalse"};
        const Sarn2016::CodeTree* targets[] = {node.ifTrue, node.ifFalse};
        for (int b = 0; b < 2; ++b) {
            if (!targets[b] || !ok)
                continue;
            w.Key(branches[b]);
            codeTree(*targets[b], depth + 1);
        }
        w.EndObject();
    }

    void codeTreeList() {
        if (codeTrees.empty())
            return;
        w.Key("codeTrees");
        w.StartArray();
        for (auto& entry : codeTrees) {
            where = "code tree \"" + entry.first + "\"";
            if (!entry.second)
                continue;
            w.StartObject();
            w.Key("id");
            w.String(entry.first.c_str());
            w.Key("code");
            codeTree(*entry.second, 0);
            w.EndObject();
        }
        w.EndArray();
    }

    void document(const std::map<const Texture*, std::string>& textures,
                  const std::map<const ObjectApp*, std::string>& models) {
        w.StartObject();
        w.Key("room");
        w.StartObject();
        where = "room";
        number("left", room.left);
        number("right", room.right);
        number("bottom", room.bottom);
        number("top", room.top);
        w.Key("entryTransition");
        w.Bool(room.entryTransition);
        staticObjects(textures, models);
        collectibles();
        levers();
        doors();
        mechanismList();
        cameraPaths();
        triggers();
        codeTreeList();
        w.EndObject();
        w.EndObject();
    }

    bool ok = true;

private:
    const Room& room;
    const char* fileName;
    Writer& w;
    std::map<std::string, Room*>& roomDictionary;
    std::string where;
    std::map<const Transform*, std::string> transformNames;
    unsigned int namedCount = 0;
    std::map<std::string, const Sarn2016::Mechanism*> mechanisms;
    std::map<std::string, const Sarn2016::CodeTree*> codeTrees;
};

template <typename T>
std::map<const T*, std::string> reversed(const std::map<std::string, T*>* table) {
    std::map<const T*, std::string> out;
    if (table)
        for (auto& named : *table)
            out.emplace(named.second, named.first);
    return out;
}

} // namespace

bool Sarn2016::Room::toJson(const char* fileName, std::map<std::string, Texture*>* texturesDB,
                            std::map<std::string, ObjectApp*>* displayablesDB,
                            std::map<std::string, Room*>& roomDictionary) const {
    std::map<const Texture*, std::string> textures = reversed(texturesDB);
    std::map<const ObjectApp*, std::string> models = reversed(displayablesDB);

    std::string temporary = std::string(fileName) + ".part";
    FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file)
        return dataFileError(fileName, "cannot be opened for writing");
    std::vector<char> buffer(65536);
    rapidjson::FileWriteStream stream(file, buffer.data(), buffer.size());
    Writer w(stream);
    w.SetIndent('\t', 1);
    w.SetMaxDecimalPlaces(10);

    RoomWriter writer(*this, fileName, w, roomDictionary);
    writer.collectDynamicTransforms();
    if (writer.ok)
        writer.document(textures, models);
    bool written = writer.ok && w.IsComplete();
    stream.Flush();
    written = std::ferror(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    if (written)
        std::filesystem::rename(temporary, fileName, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        if (written)
            return dataFileError(fileName, "cannot be replaced");
        if (writer.ok)
            return dataFileError(fileName, "writing failed");
        return false;
    }
    return true;
}
