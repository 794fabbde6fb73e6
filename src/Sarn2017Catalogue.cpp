// The object-type catalogue: read, checked as a whole, then its images loaded.
#include "Sarn2017.h"

#include <string>

#include "DataFile.h"
#include "GameAssets.h"

static Sarn2017::ObjectType* findType(Sarn2017::ObjectType* types, unsigned int count,
                                      const std::string& name) {
    for (unsigned int i = 0; i < count; ++i)
        if (types[i].name == name)
            return &types[i];
    return nullptr;
}

Sarn2017::ObjectType* Sarn2017::findTypeFromName(const char* name) {
    return findType(objectTypes, objectTypeCount, name);
}

const Sarn2017::Combination* Sarn2017::ObjectType::combinationWith(const std::string& other) const {
    for (const Combination& combination : combinations)
        if (combination.otherObject == other)
            return &combination;
    return nullptr;
}

static bool optionalBool(const rapidjson::Value& entry, const char* key, bool& out) {
    return !hasMember(entry, key) || getBool(entry, key, out);
}

static std::string entryName(unsigned int i, const std::string& name) {
    return "entry " + std::to_string(i) + (name.empty() ? "" : " (" + name + ")");
}

// One entry's own fields; turnIntoOnInteract comes back as a name, resolved
// once every type is known.
static bool readEntry(const rapidjson::Value& entry, unsigned int i, Sarn2017::ObjectType& type,
                      std::string& turnName, std::string& reason) {
    if (!getString(entry, "name", type.name)) {
        reason = entryName(i, "") + ": \"name\" is missing or not a string";
        return false;
    }
    const char* flags[] = {"takeable", "finishLevelOnInteract", "canSpawnObject"};
    bool* fields[] = {&type.takeable, &type.finishLevelOnInteract, &type.canSpawnObject};
    for (int f = 0; f < 3; ++f) {
        if (!optionalBool(entry, flags[f], *fields[f])) {
            reason = entryName(i, type.name) + ": \"" + flags[f] + "\" is not a bool";
            return false;
        }
    }
    if (hasMember(entry, "turnIntoOnInteract") &&
        !getString(entry, "turnIntoOnInteract", turnName)) {
        reason = entryName(i, type.name) + ": \"turnIntoOnInteract\" is not a string";
        return false;
    }
    if (!hasMember(entry, "combinations"))
        return true;
    const rapidjson::Value* list = getArray(entry, "combinations");
    if (!list) {
        reason = entryName(i, type.name) + ": \"combinations\" is not an array";
        return false;
    }
    type.combinations.resize(list->Size());
    for (rapidjson::SizeType c = 0; c < list->Size(); ++c) {
        Sarn2017::Combination& combination = type.combinations[c];
        const rapidjson::Value& item = (*list)[c];
        if (!getString(item, "combineWith", combination.otherObject) ||
            !getString(item, "turnInto", combination.turnInto) ||
            !getBool(item, "destroy", combination.destroy)) {
            reason = entryName(i, type.name) + ": combination " + std::to_string(c) +
                     " needs \"combineWith\" and \"turnInto\" strings and a \"destroy\" bool";
            return false;
        }
    }
    return true;
}

// Whether clicking through the turn-into chain from type comes back on itself
// without meeting a type that can spawn.
static bool turnChainLoops(Sarn2017::ObjectType* type, unsigned int typeCount) {
    // A chain longer than the catalogue has visited some type twice.
    for (unsigned int steps = 0; type; ++steps) {
        if (type->canSpawnObject)
            return false;
        if (steps > typeCount)
            return true;
        type = type->turnIntoOnInteract;
    }
    return false;
}

bool Sarn2017::loadObjectTypes(const char* fileName) {
    freeObjectTypes();
    std::string path = fileName;
    rapidjson::Document doc;
    // Parsing stops after the root value: trailing text is ignored.
    if (!parseJsonFile(path, doc, JsonEnd::stopAfterRoot))
        return false;
    const rapidjson::Value* root = getObject(doc, "objectsList");
    const rapidjson::Value* list = root ? getArray(*root, "objects") : nullptr;
    if (!list)
        return dataFileError(path, "\"objectsList\".\"objects\" is missing or not an array");

    unsigned int count = list->Size();
    ObjectType* types = new ObjectType[count];
    std::vector<std::string> turnNames(count);
    std::vector<bool> hasTurnName(count, false);
    std::string reason;
    for (unsigned int i = 0; i < count; ++i) {
        if (!readEntry((*list)[i], i, types[i], turnNames[i], reason))
            break;
        hasTurnName[i] = hasMember((*list)[i], "turnIntoOnInteract");
    }

    // Names resolve as they always have: a combination takes the last type of
    // its name, a click target the first, set on the first type of the
    // entry's name. Every name must be known: an unknown one would leave the
    // game holding no type where it needs one.
    for (unsigned int i = 0; i < count && reason.empty(); ++i) {
        for (Combination& combination : types[i].combinations) {
            for (unsigned int j = 0; j < count; ++j)
                if (types[j].name == combination.turnInto)
                    combination.turnIntoPointer = &types[j];
            if (!combination.turnIntoPointer)
                reason = types[i].name + ": \"turnInto\" names no type: " + combination.turnInto;
            else if (!findType(types, count, combination.otherObject))
                reason =
                    types[i].name + ": \"combineWith\" names no type: " + combination.otherObject;
            if (!reason.empty())
                break;
        }
    }
    // A click target that names no type leaves the field null (the click then
    // falls through to the next rule); the file still loads, with a warning.
    std::vector<std::string> warnings;
    for (unsigned int i = 0; i < count && reason.empty(); ++i) {
        if (!hasTurnName[i])
            continue;
        ObjectType* target = findType(types, count, turnNames[i]);
        if (!target)
            warnings.push_back(types[i].name + ": \"turnIntoOnInteract\" names no type: " +
                               turnNames[i] + " (ignored)");
        else
            findType(types, count, types[i].name)->turnIntoOnInteract = target;
    }

    bool finishes = false;
    for (unsigned int i = 0; i < count && reason.empty(); ++i) {
        finishes = finishes || types[i].finishLevelOnInteract;
        if (turnChainLoops(&types[i], count))
            reason = types[i].name +
                     ": clicking it turns it round in a loop with no type that can spawn";
    }
    if (reason.empty() && !finishes)
        reason = "no type has \"finishLevelOnInteract\"";
    if (!reason.empty()) {
        delete[] types;
        return dataFileError(path, reason);
    }

    for (const std::string& warning : warnings)
        dataFileError(path, warning);
    objectTypes = types;
    objectTypeCount = count;
    const std::string folder = "data/Sarn2017/objects/";
    for (unsigned int i = 0; i < count; ++i) {
        ObjectType& type = objectTypes[i];
        if (type.takeable)
            loadTexture(type.inventoryTexture,
                        (folder + "inventory/" + type.name + ".png").c_str());
        loadTexture(type.roomTexture, (folder + "room/" + type.name + ".png").c_str());
        loadTexture(type.descriptionTexture, (folder + "name/" + type.name + ".png").c_str());
        if (type.finishLevelOnInteract)
            endLevelTypes.push_back(&type);
        if (type.canSpawnObject)
            spawnerTypes.push_back(&type);
    }
    return true;
}

void Sarn2017::freeObjectTypes() {
    delete[] objectTypes;
    objectTypes = nullptr;
    objectTypeCount = 0;
    endLevelTypes.clear();
    spawnerTypes.clear();
}
