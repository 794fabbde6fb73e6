#include "GameFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/Recorder.h"
#include "support/TestFiles.h"

namespace {

using Catalogue = GameTest;

std::vector<std::string> names(const std::vector<Sarn2017::ObjectType*>& types) {
    std::vector<std::string> out;
    for (const Sarn2017::ObjectType* type : types)
        out.push_back(type->name);
    return out;
}

TEST_F(Catalogue, ShippedCatalogueLoadsWithItsSubsetsInFileOrder) {
    std::ifstream shipped("data/Sarn2017/objects/objects.json", std::ios::binary);
    writeFuzzSeed("catalogue", "objects.json",
                  std::string(std::istreambuf_iterator<char>(shipped), {}));
    EXPECT_EQ(game.objectTypeCount, 30u);
    EXPECT_EQ(names(game.endLevelTypes), (std::vector<std::string>{"open_door", "glowing_portal",
                                                                   "lit_beacon", "golden_trophy"}));
    EXPECT_EQ(names(game.spawnerTypes),
              (std::vector<std::string>{"wooden_crate", "treasure_chest", "flower_pot", "sack"}));
    Sarn2017::ObjectType* door = type("locked_door");
    ASSERT_EQ(door->combinations.size(), 1u);
    EXPECT_EQ(door->combinations[0].otherObject, "key");
    EXPECT_EQ(door->combinations[0].turnIntoPointer, type("closed_door"));
    EXPECT_TRUE(door->combinations[0].destroy);
    EXPECT_EQ(type("closed_chest")->turnIntoOnInteract, type("treasure_chest"));
    // Every image is there: room pictures fit between the spots.
    for (unsigned int i = 0; i < game.objectTypeCount; ++i) {
        Sarn2017::ObjectType& t = game.objectTypes[i];
        EXPECT_GT(t.roomTexture.getWidth(), 0) << t.name;
        EXPECT_LE(t.roomTexture.getWidth(), 150) << t.name;
        EXPECT_LE(t.roomTexture.getHeight(), 150) << t.name;
        EXPECT_GT(t.descriptionTexture.getWidth(), 0) << t.name;
        EXPECT_EQ(t.inventoryTexture.getWidth(), t.takeable ? 60 : 0) << t.name;
    }
}

TEST_F(Catalogue, DefaultsAndImageOrder) {
    recorder().reset();
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"unknown": 1, "objects": [
        {"name": "key"},
        {"name": "open_door", "takeable": false, "finishLevelOnInteract": true,
         "canSpawnObject": true, "extra": [1, 2]}]}})"))
        << loadErrors;
    Sarn2017::ObjectType* key = type("key");
    EXPECT_TRUE(key->takeable);
    EXPECT_FALSE(key->finishLevelOnInteract);
    EXPECT_FALSE(key->canSpawnObject);
    EXPECT_EQ(key->turnIntoOnInteract, nullptr);
    EXPECT_TRUE(key->combinations.empty());
    // A type that both finishes and spawns is in both lists.
    EXPECT_EQ(names(game.endLevelTypes), (std::vector<std::string>{"open_door"}));
    EXPECT_EQ(names(game.spawnerTypes), (std::vector<std::string>{"open_door"}));

    // Inventory (takeable types only), room, name; each uploaded and dropped.
    std::vector<std::string> loaded;
    for (const RecordedEvent& e : recorder().events(RecordedEvent::textureLoad))
        loaded.push_back(e.name);
    EXPECT_EQ(loaded, (std::vector<std::string>{"data/Sarn2017/objects/inventory/key.png",
                                                "data/Sarn2017/objects/room/key.png",
                                                "data/Sarn2017/objects/name/key.png",
                                                "data/Sarn2017/objects/room/open_door.png",
                                                "data/Sarn2017/objects/name/open_door.png"}));
    EXPECT_EQ(recorder().events(RecordedEvent::textureUpload).size(), 5u);
    EXPECT_EQ(key->roomTexture.getPixels(), nullptr);
    EXPECT_EQ(type("open_door")->inventoryTexture.getWidth(), 0);
}

TEST_F(Catalogue, DuplicateNamesResolveAsBefore) {
    // Combinations take the last type of the name; a click target is set on
    // the first type of the entry's name and points at the first of its own.
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
        {"name": "key", "combinations": [{"combineWith": "cloth", "turnInto": "cloth",
                                          "destroy": false}]},
        {"name": "cloth"},
        {"name": "cloth", "takeable": false},
        {"name": "key", "turnIntoOnInteract": "cloth"}]}})"))
        << loadErrors;
    Sarn2017::ObjectType* first = &game.objectTypes[1];
    EXPECT_EQ(first->combinations[0].turnIntoPointer, &game.objectTypes[3]);
    EXPECT_EQ(first->turnIntoOnInteract, &game.objectTypes[2]);
    EXPECT_EQ(game.objectTypes[4].turnIntoOnInteract, nullptr);
    EXPECT_EQ(game.findTypeFromName("cloth"), &game.objectTypes[2]);
    EXPECT_EQ(game.findTypeFromName("Cloth"), nullptr);
}

// Refused files: one "<path>: <reason>" line, no catalogue left, and the game
// goes on without crashing.
void expectRefused(GameTest& test, const std::string& json, const std::string& reason) {
    EXPECT_FALSE(test.useCatalogue(json)) << json;
    EXPECT_NE(test.loadErrors.find("-objects.json: " + reason), std::string::npos)
        << test.loadErrors;
    EXPECT_EQ(test.game.objectTypeCount, 0u);
    EXPECT_EQ(test.game.objectTypes, nullptr);
    EXPECT_TRUE(test.game.endLevelTypes.empty());
    testing::internal::CaptureStdout();
    test.game.reset();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Fin generation du niveau\n");
    EXPECT_EQ(test.game.roomObjectCount, 0u);
}

std::string catalogue(const std::string& entries) {
    return R"({"objectsList": {"objects": [
        {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},)" +
           entries + "]}}";
}

TEST_F(Catalogue, BrokenFilesAreRefusedWithTheirReason) {
    expectRefused(*this, R"({"objectsList": {"objects": [)", "JSON error");
    expectRefused(*this, R"({"objectsList": []})", "\"objectsList\".\"objects\" is missing");
    expectRefused(*this, R"({"objects": []})", "\"objectsList\".\"objects\" is missing");
    expectRefused(*this, R"({"objectsList": {"objects": {}}})",
                  "\"objectsList\".\"objects\" is missing");
    expectRefused(*this, catalogue("3"), "entry 1: \"name\" is missing or not a string");
    expectRefused(*this, catalogue(R"({"name": 7})"), "entry 1: \"name\" is missing");
    expectRefused(*this, catalogue(R"({"name": "key", "takeable": "yes"})"),
                  "entry 1 (key): \"takeable\" is not a bool");
    expectRefused(*this, catalogue(R"({"name": "key", "canSpawnObject": 1})"),
                  "entry 1 (key): \"canSpawnObject\" is not a bool");
    expectRefused(*this, catalogue(R"({"name": "key", "turnIntoOnInteract": 2})"),
                  "entry 1 (key): \"turnIntoOnInteract\" is not a string");
    expectRefused(*this, catalogue(R"({"name": "key", "combinations": {}})"),
                  "entry 1 (key): \"combinations\" is not an array");
    expectRefused(*this, catalogue(R"({"name": "key", "combinations": [
                      {"combineWith": "key", "turnInto": "key"}]})"),
                  "entry 1 (key): combination 0 needs");
    expectRefused(*this, catalogue(R"({"name": "key", "combinations": [
                      {"combineWith": "key", "turnInto": "key", "destroy": 0}]})"),
                  "entry 1 (key): combination 0 needs");
}

TEST_F(Catalogue, UnknownNamesAreRefusedWithTheName) {
    expectRefused(*this, catalogue(R"({"name": "key", "combinations": [
                      {"combineWith": "key", "turnInto": "kee", "destroy": true}]})"),
                  "key: \"turnInto\" names no type: kee");
    expectRefused(*this, catalogue(R"({"name": "key", "combinations": [
                      {"combineWith": "Key", "turnInto": "key", "destroy": true}]})"),
                  "key: \"combineWith\" names no type: Key");
}

// Edge case: a click target that names no type leaves the field
// null; the catalogue still loads, with one warning line naming it.
TEST_F(Catalogue, AnUnknownClickTargetStaysNullWithAWarning) {
    ASSERT_TRUE(useCatalogue(catalogue(R"({"name": "closed_door", "takeable": false,
                                          "turnIntoOnInteract": "opn"})")))
        << loadErrors;
    EXPECT_EQ(type("closed_door")->turnIntoOnInteract, nullptr);
    EXPECT_NE(loadErrors.find("closed_door: \"turnIntoOnInteract\" names no type: opn"),
              std::string::npos)
        << loadErrors;
    EXPECT_EQ(std::count(loadErrors.begin(), loadErrors.end(), '\n'), 1) << loadErrors;
}

// Parsing stops after the root value: what follows it is not an error.
TEST_F(Catalogue, TextAfterTheRootValueIsIgnored) {
    ASSERT_TRUE(useCatalogue(catalogue(R"({"name": "key"})") + "\n trailing words, {[ and all"))
        << loadErrors;
    EXPECT_EQ(game.objectTypeCount, 2u);
    EXPECT_EQ(loadErrors, "");
}

TEST_F(Catalogue, CatalogueThatCannotMakeALevelIsRefused) {
    expectRefused(*this, R"({"objectsList": {"objects": []}})",
                  "no type has \"finishLevelOnInteract\"");
    expectRefused(*this, R"({"objectsList": {"objects": [{"name": "key"}]}})",
                  "no type has \"finishLevelOnInteract\"");
    // Clicking round a loop that holds no spawner: the generator would follow
    // it for ever.
    expectRefused(*this, catalogue(R"({"name": "key", "turnIntoOnInteract": "key"})"),
                  "key: clicking it turns it round in a loop");
    expectRefused(*this, catalogue(R"({"name": "sack", "turnIntoOnInteract": "key"},
                                    {"name": "key", "turnIntoOnInteract": "cloth"},
                                    {"name": "cloth", "turnIntoOnInteract": "key"})"),
                  "sack: clicking it turns it round in a loop");
    // A loop through a spawner ends the walk, and no spawner at all is fine.
    EXPECT_TRUE(useCatalogue(catalogue(R"({"name": "key", "turnIntoOnInteract": "sack"},
                                         {"name": "sack", "canSpawnObject": true,
                                          "turnIntoOnInteract": "key"})")))
        << loadErrors;
    EXPECT_TRUE(game.canSpawnObjectRecursively(type("key")));
    EXPECT_TRUE(useCatalogue(catalogue(R"({"name": "key"})"))) << loadErrors;
    EXPECT_TRUE(game.spawnerTypes.empty());
}

// init from another working directory: only what the test puts there exists.
class InitElsewhere : public testing::Test {
protected:
    void SetUp() override {
        recorder().reset();
        home = std::filesystem::current_path();
        folder = std::filesystem::path(writeTestFile("init-elsewhere/.keep", "")).parent_path();
        std::filesystem::remove_all(folder / "data");
        std::filesystem::current_path(folder);
    }
    void TearDown() override { std::filesystem::current_path(home); }
    std::filesystem::path home, folder;
};

TEST_F(InitElsewhere, MissingDataFolderFailsInit) {
    Sarn2017 game;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(game.init());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("data/Sarn2017/objects/objects.json: cannot open\n"
                       "Could not load object catalogue: data/Sarn2017/objects/objects.json\n"),
              std::string::npos)
        << err;
    EXPECT_EQ(game.levelNum, 0);
}

TEST_F(InitElsewhere, InvalidCatalogueFailsInit) {
    std::filesystem::create_directories("data/Sarn2017/objects");
    std::ofstream("data/Sarn2017/objects/objects.json")
        << R"({"objectsList": {"objects": [{"name": "key"}]}})";
    Sarn2017 game;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(game.init());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("data/Sarn2017/objects/objects.json: no type has "
                       "\"finishLevelOnInteract\"\n"
                       "Could not load object catalogue: data/Sarn2017/objects/objects.json\n"),
              std::string::npos)
        << err;
}

} // namespace
