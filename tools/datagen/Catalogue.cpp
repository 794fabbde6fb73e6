#include "Catalogue.h"

#include "ObjectArt.h"

const std::vector<ObjectDef>& objectCatalogue() {
    // Order matters to the level generator: it takes the first type that
    // produces the object it is working back from.
    static const std::vector<ObjectDef> table = {
        // Finishing a level.
        {"open_door", false, true, false, nullptr, {}, drawOpenDoor, 1.0f},
        {"glowing_portal", false, true, false, nullptr, {}, drawGlowingPortal, 1.0f},
        {"lit_beacon", false, true, false, nullptr, {}, drawLitBeacon, 1.0f},
        {"golden_trophy", false, true, false, nullptr, {}, drawGoldenTrophy, 1.0f},
        // What becomes a finishing object.
        {"closed_door", false, false, false, "open_door", {}, drawClosedDoor, 1.0f},
        {"locked_door",
         false,
         false,
         false,
         nullptr,
         {{"key", "closed_door", true}},
         drawLockedDoor,
         1.0f},
        {"dark_portal",
         false,
         false,
         false,
         nullptr,
         {{"crystal", "glowing_portal", true}},
         drawDarkPortal,
         1.0f},
        {"cold_beacon",
         false,
         false,
         false,
         nullptr,
         {{"burning_torch", "lit_beacon", true}},
         drawColdBeacon,
         1.0f},
        {"dusty_trophy",
         false,
         false,
         false,
         nullptr,
         {{"cloth", "golden_trophy", false}},
         drawDustyTrophy,
         1.0f},
        // Containers that can hide an object.
        {"wooden_crate", false, false, true, nullptr, {}, drawWoodenCrate, 1.0f},
        {"treasure_chest", false, false, true, nullptr, {}, drawTreasureChest, 1.0f},
        {"flower_pot", false, false, true, nullptr, {}, drawFlowerPot, 1.0f},
        {"sack", false, false, true, nullptr, {}, drawSack, 1.0f},
        {"nailed_crate",
         false,
         false,
         false,
         nullptr,
         {{"crowbar", "wooden_crate", false}},
         drawNailedCrate,
         1.0f},
        {"closed_chest", false, false, false, "treasure_chest", {}, drawClosedChest, 1.0f},
        {"locked_chest",
         false,
         false,
         false,
         nullptr,
         {{"small_key", "closed_chest", true}},
         drawLockedChest,
         1.0f},
        {"overgrown_pot",
         false,
         false,
         false,
         nullptr,
         {{"shears", "flower_pot", false}},
         drawOvergrownPot,
         1.0f},
        // Things to carry.
        {"key", true, false, false, nullptr, {}, drawKey, 1.0f},
        {"rusty_key", true, false, false, nullptr, {{"oil_can", "key", true}}, drawRustyKey, 1.0f},
        {"oil_can", true, false, false, nullptr, {}, drawOilCan, 1.0f},
        {"crystal", true, false, false, nullptr, {}, drawCrystal, 1.0f},
        {"geode", true, false, false, nullptr, {{"hammer", "crystal", false}}, drawGeode, 1.0f},
        {"hammer", true, false, false, nullptr, {}, drawHammer, 1.0f},
        {"burning_torch", true, false, false, nullptr, {}, drawBurningTorch, 1.0f},
        {"torch",
         true,
         false,
         false,
         nullptr,
         {{"matches", "burning_torch", true}},
         drawTorch,
         1.0f},
        {"matches", true, false, false, nullptr, {}, drawMatches, 1.0f},
        {"crowbar", true, false, false, nullptr, {}, drawCrowbar, 1.0f},
        {"small_key", true, false, false, nullptr, {}, drawSmallKey, 0.7f},
        {"shears", true, false, false, nullptr, {}, drawShears, 1.0f},
        {"cloth", true, false, false, nullptr, {}, drawCloth, 1.0f},
    };
    return table;
}

std::string displayName(const char* name) {
    std::string out;
    for (const char* c = name; *c; ++c) {
        if (*c == '_') {
            out += ' ';
        } else if (*c >= 'a' && *c <= 'z') {
            out += static_cast<char>(*c - 'a' + 'A');
        } else {
            out += *c;
        }
    }
    return out;
}

static const char* boolText(bool value) {
    return value ? "true" : "false";
}

std::string catalogueJson(const std::vector<ObjectDef>& catalogue) {
    std::string out = "{\n    \"objectsList\": {\n        \"objects\": [\n";
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const ObjectDef& def = catalogue[i];
        out += "            {\n";
        out += std::string("                \"name\": \"") + def.name + "\",\n";
        out += std::string("                \"takeable\": ") + boolText(def.takeable) + ",\n";
        out += std::string("                \"finishLevelOnInteract\": ") +
               boolText(def.finishLevelOnInteract) + ",\n";
        out += std::string("                \"canSpawnObject\": ") + boolText(def.canSpawnObject);
        if (def.turnIntoOnInteract) {
            out += std::string(",\n                \"turnIntoOnInteract\": \"") +
                   def.turnIntoOnInteract + "\"";
        }
        if (!def.combinations.empty()) {
            out += ",\n                \"combinations\": [\n";
            for (size_t c = 0; c < def.combinations.size(); ++c) {
                const CombinationDef& comb = def.combinations[c];
                out += std::string("                    { \"combineWith\": \"") + comb.combineWith +
                       "\", \"turnInto\": \"" + comb.turnInto +
                       "\", \"destroy\": " + boolText(comb.destroy) + " }";
                out += (c + 1 < def.combinations.size()) ? ",\n" : "\n";
            }
            out += "                ]";
        }
        out += "\n            }";
        out += (i + 1 < catalogue.size()) ? ",\n" : "\n";
    }
    out += "        ]\n    }\n}\n";
    return out;
}
