// The room file reader: bounds, static objects, doors, camera paths, levers,
// keys and triggers, with the mechanisms and code trees they name.
#include <chrono>
#include <iostream>
#include <string>

#include "DataFile.h"
#include "Sarn2016.h"

namespace {

using Room = Sarn2016::Room;
using Value = rapidjson::Value;

// Object groups nest no deeper than this: the loader and the moves recurse.
const unsigned int maxGroupDepth = 16;

bool readPoint(const Value& obj, const char* key, Vector3D& out) {
    const Value* p = getObject(obj, key);
    return p && getFloat(*p, "x", out.x) && getFloat(*p, "y", out.y) && getFloat(*p, "z", out.z);
}

bool readFlatPoint(const Value& obj, const char* key, Vector2D& out) {
    const Value* p = getObject(obj, key);
    return p && getFloat(*p, "x", out.x) && getFloat(*p, "y", out.y);
}

bool readBox(const Value& obj, const char* key, AABB& out) {
    const Value* box = getObject(obj, key);
    return box && readPoint(*box, "start", out.start) && readPoint(*box, "end", out.end);
}

// "ox", "oy", "oz" of a unit quaternion whose w follows.
bool readOrientation(const Value& obj, Quaternion& out) {
    Quaternion q;
    if (!getFloat(obj, "ox", q.x) || !getFloat(obj, "oy", q.y) || !getFloat(obj, "oz", q.z))
        return false;
    q.asUnary();
    out = q;
    return true;
}

bool readPose(const Value& obj, Vector3D& position, Quaternion& orientation) {
    return getFloat(obj, "x", position.x) && getFloat(obj, "y", position.y) &&
           getFloat(obj, "z", position.z) && readOrientation(obj, orientation);
}

// An optional array: absent is empty, present must be an array.
bool optionalArray(const Value& obj, const char* key, const Value*& out) {
    out = getArray(obj, key);
    return out != nullptr || !hasMember(obj, key);
}

// The first entry of the array key whose "id" is id.
const Value* entryWithId(const Value& room, const char* key, const std::string& id) {
    const Value* list = getArray(room, key);
    if (!list)
        return nullptr;
    for (const Value& entry : list->GetArray()) {
        std::string entryId;
        if (getString(entry, "id", entryId) && entryId == id)
            return &entry;
    }
    return nullptr;
}

// One load of one room file; every refusal leaves its reason.
class RoomReader {
public:
    RoomReader(Room& room, const Value& json, std::map<std::string, Room*>& roomDictionary)
        : room(room), json(json), roomDictionary(roomDictionary) {}

    bool fail(const std::string& why) {
        reason = why;
        return false;
    }

    bool readStaticObjects(std::map<std::string, Texture*>& textures,
                           std::map<std::string, ObjectApp*>& displayables) {
        const Value* list = getArray(json, "staticObjects");
        if (!list)
            return fail("\"staticObjects\" must be an array");
        if (list->Size() > Room::maxStaticObjects)
            return fail("more than 400 static objects");
        for (const Value& entry : list->GetArray()) {
            std::string where = "static object " + std::to_string(room.staticObjectCount);
            Sarn2016::Sarn2016Displayable& object = room.staticObjects[room.staticObjectCount];
            std::string id, model, texture;
            if (hasMember(entry, "id") && !getString(entry, "id", id))
                return fail(where + ": \"id\" is not a string");
            if (!getFloat(entry, "x", object.position().x) ||
                !getFloat(entry, "y", object.position().y) ||
                !getFloat(entry, "z", object.position().z))
                return fail(where + ": needs \"x\", \"y\" and \"z\"");
            if (hasMember(entry, "ox") && !readOrientation(entry, object.orientation()))
                return fail(where + ": needs \"ox\", \"oy\" and \"oz\"");
            if (!getString(entry, "model", model) || !getString(entry, "texture", texture))
                return fail(where + ": needs \"model\" and \"texture\"");
            auto m = displayables.find(model);
            if (m == displayables.end())
                return fail(where + ": unknown model \"" + model + "\"");
            auto t = textures.find(texture);
            if (t == textures.end())
                return fail(where + ": unknown texture \"" + texture + "\"");
            object.object = m->second;
            object.texture = t->second;
            if (hasMember(entry, "id"))
                transforms.emplace(id, &object.transform);
            ++room.staticObjectCount;
        }
        return true;
    }

    bool readDoors() {
        const Value* list;
        if (!optionalArray(json, "doors", list))
            return fail("\"doors\" must be an array");
        if (list && list->Size() > Room::maxDoors)
            return fail("more than 3 doors");
        for (const Value& entry : list ? list->GetArray() : emptyArray()) {
            std::string where = "door " + std::to_string(room.doorCount);
            Sarn2016::Door& door = room.doors[room.doorCount];
            Sarn2016::Mechanism& mechanism = door.mechanism;
            mechanism.running = false;
            mechanism.timeFromStart = 0.0f;
            mechanism.runningDirection = 1.0f;
            door.room = nullptr; // a door without "room" leads nowhere
            if (!loadMechanism(entry, mechanism, where))
                return false;
            if (!readPose(entry, mechanism.position, mechanism.orientation))
                return fail(where + ": needs \"x\", \"y\", \"z\", \"ox\", \"oy\" and \"oz\"");
            if (hasMember(entry, "open") && !getBool(entry, "open", mechanism.end))
                return fail(where + ": \"open\" is not a bool");
            if (!readBox(entry, "roomChangeAABB", door.roomChangeArea))
                return fail(where + ": needs a \"roomChangeAABB\" box");
            if (hasMember(entry, "room") && !findRoom(entry, door.room))
                return fail(where + ": " + reason);
            if (!readFlatPoint(entry, "playerPosition", door.playerPosition))
                return fail(where + ": needs a \"playerPosition\"");
            ++room.doorCount;
        }
        return true;
    }

    bool readCameraPaths() {
        const Value* list;
        if (!optionalArray(json, "cameraPaths", list))
            return fail("\"cameraPaths\" must be an array");
        for (const Value& entry : list ? list->GetArray() : emptyArray()) {
            std::string where = "camera path " + std::to_string(room.cameraPaths.size());
            Sarn2016::CameraPath path;
            const Value* waypoints = getArray(entry, "waypoints");
            if (!waypoints || !getFloat(entry, "duration", path.duration))
                return fail(where + ": needs \"waypoints\" and \"duration\"");
            std::size_t n = waypoints->Size();
            for (const Value& w : waypoints->GetArray()) {
                Sarn2016::CameraWaypoint waypoint;
                if (!readPoint(w, "eye", waypoint.eye) || !readPoint(w, "target", waypoint.target))
                    return fail(where + ": a waypoint needs \"eye\" and \"target\"");
                // Without a ratio the waypoints share the path evenly.
                std::size_t i = path.waypoints.size();
                waypoint.timeRatio = n > 1 ? float(i) / float(n - 1) : 0.0f;
                if (hasMember(w, "timeRatio") && !getFloat(w, "timeRatio", waypoint.timeRatio))
                    return fail(where + ": \"timeRatio\" is not a number");
                path.waypoints.push_back(waypoint);
            }
            if (n == 2) {
                path.waypoints[0].timeRatio = 0.0f;
                path.waypoints[1].timeRatio = 1.0f;
            }
            room.cameraPaths.push_back(path);
        }
        return true;
    }

    bool readLevers() {
        const Value* list;
        if (!optionalArray(json, "levers", list))
            return fail("\"levers\" must be an array");
        if (list && list->Size() > Room::maxLevers)
            return fail("more than 5 levers");
        for (const Value& entry : list ? list->GetArray() : emptyArray()) {
            std::string where = "lever " + std::to_string(room.leverCount);
            Sarn2016::Lever& lever = room.levers[room.leverCount];
            Sarn2016::Mechanism& mechanism = lever.mechanism;
            mechanism.running = false;
            mechanism.timeFromStart = 0.0f;
            mechanism.runningDirection = 1.0f;
            mechanism.end = false;
            if (!loadMechanism(entry, mechanism, where) ||
                !loadCodeTree(entry, lever.effect, where))
                return false;
            if (!readPose(entry, mechanism.position, mechanism.orientation))
                return fail(where + ": needs \"x\", \"y\", \"z\", \"ox\", \"oy\" and \"oz\"");
            // Our writer saves a pulled lever as "end": true; without it the arm
            // would snap back beside the door it opened. Not a bool: not pulled.
            getBool(entry, "end", mechanism.end);
            if (!readBox(entry, "interactionAABB", lever.interactionArea))
                return fail(where + ": needs an \"interactionAABB\" box");
            ++room.leverCount;
        }
        return true;
    }

    bool readTrigger(const Value& entry, Sarn2016::Trigger& trigger, const std::string& where) {
        if (!loadCodeTree(entry, trigger.effect, where))
            return false;
        if (!readPoint(entry, "position", trigger.position) || !readBox(entry, "AABB", trigger.box))
            return fail(where + ": needs \"position\" and an \"AABB\" box");
        return true;
    }

    bool readCollectibles() {
        const Value* list;
        if (!optionalArray(json, "collectibles", list))
            return fail("\"collectibles\" must be an array");
        if (list && list->Size() > Room::maxCollectibles)
            return fail("more than 10 collectibles");
        for (const Value& entry : list ? list->GetArray() : emptyArray()) {
            std::string where = "collectible " + std::to_string(room.collectibleCount);
            Sarn2016::Collectible& collectible = room.collectibles[room.collectibleCount];
            collectible.collected = false;
            collectible.displayable = nullptr;
            if (hasMember(entry, "transformId")) {
                Transform* transform = findTransform(entry, where);
                if (!transform)
                    return false;
                for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
                    if (&room.staticObjects[i].transform == transform) {
                        collectible.displayable = &room.staticObjects[i];
                        break;
                    }
                }
            }
            const Value* trigger = getObject(entry, "trigger");
            if (!trigger)
                return fail(where + ": needs a \"trigger\"");
            if (!readTrigger(*trigger, collectible.trigger, where))
                return false;
            ++room.collectibleCount;
        }
        return true;
    }

    bool readTriggers() {
        const Value* list;
        if (!optionalArray(json, "triggers", list))
            return fail("\"triggers\" must be an array");
        if (list && list->Size() > Room::maxTriggers)
            return fail("more than 10 triggers");
        for (const Value& entry : list ? list->GetArray() : emptyArray()) {
            std::string where = "trigger " + std::to_string(room.triggerCount);
            if (!readTrigger(entry, room.triggers[room.triggerCount], where))
                return false;
            ++room.triggerCount;
        }
        return true;
    }

    std::string reason;

private:
    static rapidjson::GenericArray<true, Value> emptyArray() {
        static const Value empty(rapidjson::kArrayType);
        return empty.GetArray();
    }

    bool findRoom(const Value& obj, Room*& out) {
        std::string name;
        if (!getString(obj, "room", name))
            return fail("\"room\" is not a string");
        auto it = roomDictionary.find(name);
        if (it == roomDictionary.end())
            return fail("unknown room \"" + name + "\"");
        out = it->second;
        return true;
    }

    Transform* findTransform(const Value& obj, const std::string& where) {
        std::string id;
        if (!getString(obj, "transformId", id)) {
            fail(where + ": needs a \"transformId\" string");
            return nullptr;
        }
        auto it = transforms.find(id);
        if (it == transforms.end()) {
            fail(where + ": unknown transform \"" + id + "\"");
            return nullptr;
        }
        return it->second;
    }

    bool loadMechanism(const Value& entry, Sarn2016::Mechanism& mechanism,
                       const std::string& where) {
        std::string id;
        if (!getString(entry, "mechanismId", id))
            return fail(where + ": needs a \"mechanismId\"");
        const Value* found = entryWithId(json, "mechanisms", id);
        if (!found)
            return fail(where + ": unknown mechanism \"" + id + "\"");
        const Value* groups = getArray(*found, "objectGroups");
        if (!getFloat(*found, "duration", mechanism.runningTime) || !groups)
            return fail("mechanism \"" + id + "\": needs \"duration\" and \"objectGroups\"");
        for (const Value& value : groups->GetArray()) {
            mechanism.objectGroups.emplace_back();
            if (!loadObjectGroup(value, mechanism.objectGroups.back(), "mechanism \"" + id + "\"",
                                 0))
                return false;
        }
        return true;
    }

    bool loadObjectGroup(const Value& value, Sarn2016::ObjectGroup& group, const std::string& where,
                         unsigned int depth) {
        if (depth >= maxGroupDepth)
            return fail(where + ": object groups nested too deep");
        const Value* objects = getArray(value, "objects");
        const Value* frames = getArray(value, "frames");
        if (!objects || !frames)
            return fail(where + ": a group needs \"objects\" and \"frames\"");
        if (frames->Size() == 0)
            return fail(where + ": a group without frames");
        for (const Value& object : objects->GetArray()) {
            Transform* transform = findTransform(object, where);
            if (!transform)
                return false;
            Vector3D anchor;
            Quaternion relative;
            const Value* orientation = getObject(object, "relativeOrientation");
            if (!readPoint(object, "anchor", anchor) || !orientation ||
                !readOrientation(*orientation, relative))
                return fail(where + ": an object needs \"anchor\" and \"relativeOrientation\"");
            group.objects.push_back(transform);
            group.anchors.push_back(anchor);
            group.relativeOrientations.push_back(relative);
        }
        for (const Value& frame : frames->GetArray()) {
            Vector3D position;
            Quaternion orientation;
            float ratio;
            if (!readPose(frame, position, orientation) || !getFloat(frame, "timeRatio", ratio))
                return fail(where + ": a frame needs a pose and \"timeRatio\"");
            group.positions.push_back(position);
            group.orientations.push_back(orientation);
            group.timeRatios.push_back(ratio);
        }
        const Value* children;
        if (!optionalArray(value, "children", children))
            return fail(where + ": \"children\" must be an array");
        for (const Value& child : children ? children->GetArray() : emptyArray()) {
            group.children.push_back(new Sarn2016::ObjectGroup);
            if (!loadObjectGroup(child, *group.children.back(), where, depth + 1))
                return false;
        }
        return true;
    }

    bool loadCodeTree(const Value& entry, Sarn2016::CodeTree*& target, const std::string& where) {
        std::string id;
        if (!getString(entry, "codeTreeId", id))
            return fail(where + ": needs a \"codeTreeId\"");
        const Value* found = entryWithId(json, "codeTrees", id);
        const Value* code = found ? getObject(*found, "code") : nullptr;
        if (!code)
            return fail(where + ": unknown code tree \"" + id + "\"");
        Sarn2016::CodeTree* root = loadCodeTreeCode(*code, "code tree \"" + id + "\"");
        if (!root)
            return false;
        target = root;
        return true;
    }

    // Reserves the next slot, then builds the node and its branches into the
    // slots after it (pre-order); null when refused.
    Sarn2016::CodeTree* loadCodeTreeCode(const Value& value, const std::string& where) {
        if (room.codesCount >= Room::maxCodes) {
            fail(where + ": more than 20 code tree nodes in the room");
            return nullptr;
        }
        Sarn2016::CodeTree* node = &room.codes[room.codesCount++];
        *node = Sarn2016::CodeTree();
        std::string func;
        if (!getString(value, "func", func)) {
            fail(where + ": a node needs a \"func\"");
            return nullptr;
        }
        node->code = Room::StringToCodeTreeFunc(func);
        if (!loadCodeTreeParams(value, *node, where))
            return nullptr;
        const char* const branches[] = {"ifTrue", "ifFalse"};
        Sarn2016::CodeTree** targets[] = {&node->ifTrue, &node->ifFalse};
        for (int b = 0; b < 2; ++b) {
            if (!hasMember(value, branches[b]))
                continue;
            const Value* branch = getObject(value, branches[b]);
            if (!branch) {
                fail(where + ": \"" + branches[b] + "\" is not a node");
                return nullptr;
            }
            *targets[b] = loadCodeTreeCode(*branch, where);
            if (!*targets[b])
                return nullptr;
        }
        return node;
    }

    bool loadCodeTreeParams(const Value& value, Sarn2016::CodeTree& node,
                            const std::string& where) {
        bool door = node.code == g_launchToggleDoor || node.code == g_toggleDoor;
        if ((!door && node.code != g_launchCameraPath) || !hasMember(value, "params"))
            return true;
        const Value* params = getObject(value, "params");
        if (!params)
            return fail(where + ": \"params\" is not an object");
        void* argument = nullptr;
        int index = 0;
        if (door) {
            Room* target = &room;
            if (node.code == g_toggleDoor && hasMember(*params, "room") &&
                !findRoom(*params, target))
                return fail(where + ": " + reason);
            // Another room's door count is known once the level is read.
            unsigned int limit = target == &room ? room.doorCount : Room::maxDoors;
            if (!getInt(*params, "doorIndex", index) || index < 0 || unsigned(index) >= limit)
                return fail(where + ": \"doorIndex\" must be an integer naming a door");
            argument = &target->doors[index];
        } else {
            if (!getInt(*params, "camerapathIndex", index) || index < 0 ||
                unsigned(index) >= room.cameraPaths.size())
                return fail(where + ": \"camerapathIndex\" must be an integer naming a path");
            argument = &room.cameraPaths[index];
        }
        if (!node.setData(argument, 4))
            return fail(where + ": the argument pool is full");
        return true;
    }

    Room& room;
    const Value& json;
    std::map<std::string, Room*>& roomDictionary;
    std::map<std::string, Transform*> transforms; // id to the first object of that id
};

} // namespace

bool Sarn2016::Room::boundsFitGrid() const {
    return left < right && bottom < top && left + 1.0f >= 0.0f && right - 1.0f < 100.0f &&
           bottom + 1.0f >= 0.0f && top - 1.0f < 100.0f && left + 1.0f <= right - 1.0f &&
           bottom + 1.0f <= top - 1.0f;
}

bool Sarn2016::Room::loadRoom(const char* fileName, std::map<std::string, Texture*>* texturesDB,
                              std::map<std::string, ObjectApp*>* displayablesDB,
                              std::map<std::string, Room*>& roomDictionary) {
    roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
    std::string text;
    if (!readDataFile(fileName, text))
        return false;
    // The time line covers parsing and building the room, not the disk.
    auto start = std::chrono::steady_clock::now();
    rapidjson::Document doc;
    if (!parseJsonText(fileName, text, doc, JsonEnd::stopAfterRoot))
        return false;

    const rapidjson::Value* json = getObject(doc, "room");
    if (!json)
        return dataFileError(fileName, "no \"room\" object");
    if (!getFloat(*json, "left", left) || !getFloat(*json, "right", right) ||
        !getFloat(*json, "bottom", bottom) || !getFloat(*json, "top", top) ||
        !getBool(*json, "entryTransition", entryTransition))
        return dataFileError(fileName, "needs \"left\", \"right\", \"bottom\", \"top\" and "
                                       "\"entryTransition\"");
    if (!boundsFitGrid())
        return dataFileError(fileName, "bounds outside the 0 to 100 grid or empty");

    std::map<std::string, Texture*> noTextures;
    std::map<std::string, ObjectApp*> noDisplayables;
    RoomReader reader(*this, *json, roomDictionary);
    if (!reader.readStaticObjects(texturesDB ? *texturesDB : noTextures,
                                  displayablesDB ? *displayablesDB : noDisplayables) ||
        !reader.readDoors() || !reader.readCameraPaths() || !reader.readLevers() ||
        !reader.readCollectibles() || !reader.readTriggers())
        return dataFileError(fileName, reader.reason);

    auto elapsed = std::chrono::steady_clock::now() - start;
    long long micros = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
    float elapsedTime = static_cast<float>(micros) / 1000000.0f;
    std::cout << elapsedTime << std::endl;

    for (unsigned int i = 0; i < leverCount; ++i) {
        Mechanism& m = levers[i].mechanism;
        for (ObjectGroup& group : m.objectGroups)
            group.toExtremity(m.end, m.position, m.orientation);
    }
    for (unsigned int i = 0; i < doorCount; ++i) {
        Mechanism& m = doors[i].mechanism;
        for (ObjectGroup& group : m.objectGroups)
            group.toExtremity(m.end, m.position, m.orientation);
    }
    return true;
}
