#include "GameFixture.h"

#include <set>

#include "ScriptedRandom.h"

namespace {

class Generator : public GameTest {
public:
    // Generates with the scripted numbers a level that wants `steps` steps
    // (the end object counted) and returns the console.
    std::string generate(int steps, std::initializer_list<int> numbers) {
        game.targetInteractions = steps - 1;
        scriptRandom(numbers);
        testing::internal::CaptureStdout();
        game.reset();
        return testing::internal::GetCapturedStdout();
    }
    void expectRoom(std::initializer_list<Placed> expected) {
        ASSERT_EQ(game.roomObjectCount, expected.size());
        unsigned int i = 0;
        for (const Placed& p : expected) {
            const Sarn2017::RoomObject& object = game.roomObjects[i++];
            EXPECT_EQ(object.type->name, p.type) << "object " << i - 1;
            EXPECT_EQ(object.positionIndex, p.spot) << "object " << i - 1;
            EXPECT_FALSE(object.taken);
            EXPECT_EQ(object.objectToSpawn ? object.objectToSpawn->name : "",
                      p.hidden ? p.hidden : "")
                << "object " << i - 1;
        }
    }
    std::vector<int> occupied() {
        std::vector<int> spots;
        for (int k = 0; k < 16; ++k)
            if (game.occupiedPositions[k])
                spots.push_back(k);
        return spots;
    }
};

TEST_F(Generator, FirstLevelAfterInit) {
    for (unsigned int seed : {1u, 2u, 3u, 77u}) {
        Sarn2017 fresh;
        seedScriptedRandom(seed);
        testing::internal::CaptureStdout();
        ASSERT_TRUE(fresh.init());
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fresh.levelNum, 1);
        EXPECT_EQ(fresh.targetInteractions, 3);
        EXPECT_EQ(randomSeeds(), 1);
        EXPECT_TRUE(out.find("Objet change en: ") != std::string::npos ||
                    out.find("Objet ajoute: ") != std::string::npos)
            << out;
        EXPECT_EQ(out.substr(out.size() - 25), "Fin generation du niveau\n");
    }
}

TEST_F(Generator, TurnsBeforeCombinationsAndTakesTheFirstMatch) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "door_a", "takeable": false, "turnIntoOnInteract": "goal"},
        {"name": "door_b", "takeable": false, "turnIntoOnInteract": "goal"},
        {"name": "latch", "takeable": false, "combinations": [
            {"combineWith": "bell", "turnInto": "door_a", "destroy": true}]},
        {"name": "lock", "takeable": false, "combinations": [
            {"combineWith": "bolt", "turnInto": "goal", "destroy": true},
            {"combineWith": "pin", "turnInto": "door_a", "destroy": true},
            {"combineWith": "bolt", "turnInto": "door_a", "destroy": true}]},
        {"name": "lock2", "takeable": false, "combinations": [
            {"combineWith": "bolt", "turnInto": "door_a", "destroy": true}]},
        {"name": "pin"}, {"name": "bolt"}, {"name": "bell", "finishLevelOnInteract": true}]}})"))
        << loadErrors;
    // The bell would end the level when clicked, so it is never the partner.
    int before = game.levelNum;
    std::string out = generate(3, {0, 21});
    EXPECT_EQ(out, "Objet change en: door_a\nObjet ajoute: pin\nFin generation du niveau\n");
    expectRoom({{"lock", 16}, {"pin", 5}}); // 21 mod 16
    EXPECT_EQ(occupied(), (std::vector<int>{5}));
    EXPECT_EQ(randomDraws(), 2);
    EXPECT_EQ(randomSeeds(), 1);
    EXPECT_EQ(game.levelNum, before + 1);
    EXPECT_EQ(game.targetInteractions, 3);
}

// Two gems make one, so every pass adds a gem.
const char* twinGems = R"({"objectsList": {"objects": [
    {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
    {"name": "setting", "takeable": false, "combinations": [
        {"combineWith": "gem", "turnInto": "goal", "destroy": true}]},
    {"name": "gem", "combinations": [
        {"combineWith": "gem", "turnInto": "gem", "destroy": true}]}]}})";

TEST_F(Generator, PartnerSpotsWrapAround) {
    ASSERT_TRUE(useCatalogue(twinGems)) << loadErrors;
    generate(4, {0, 15, 15, 31});
    expectRoom({{"setting", 16}, {"gem", 15}, {"gem", 0}, {"gem", 1}});
}

TEST_F(Generator, StopsEarlyWhenNoSpotPairIsFree) {
    ASSERT_TRUE(useCatalogue(twinGems)) << loadErrors;
    // Spots 4-11 taken block every pair (k, k + 4).
    std::string out = generate(50, {0, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    EXPECT_EQ(game.roomObjectCount, 9u);
    EXPECT_FALSE(game.atLeastOnePlaceFree());
    EXPECT_EQ(randomLeft(), 1);
    EXPECT_EQ(out.substr(out.size() - 25), "Fin generation du niveau\n");
}

const char* containers = R"({"objectsList": {"objects": [
    {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
    {"name": "lock", "takeable": false, "combinations": [
        {"combineWith": "pin", "turnInto": "goal", "destroy": true}]},
    {"name": "crate", "takeable": false, "canSpawnObject": true},
    {"name": "sack", "takeable": false, "canSpawnObject": true},
    {"name": "pin"}]}})";

TEST_F(Generator, HidingDrawsASpawnerOnEveryPassThatGetsThere) {
    ASSERT_TRUE(useCatalogue(containers)) << loadErrors;
    // Pass 1 combines; pass 2 hides the pin: spot 11 is free but 15 is not,
    // so the search wraps to 0. Pass 3 draws a spawner it does not use.
    std::string out = generate(4, {0, 15, 0, 11, 1});
    EXPECT_EQ(out, "Objet ajoute: pin\nObjet ajoute: crate\nFin generation du niveau\n");
    expectRoom({{"lock", 16}, {"crate", 0, "pin"}});
    EXPECT_EQ(occupied(), (std::vector<int>{0, 4, 15}));
    EXPECT_EQ(randomDraws(), 5);
    EXPECT_EQ(randomLeft(), 0);
}

TEST_F(Generator, EndObjectThatNothingMakesIsHidden) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "crate", "takeable": false, "canSpawnObject": true},
        {"name": "sack", "takeable": false, "canSpawnObject": true}]}})"))
        << loadErrors;
    generate(2, {0, 1, 23});
    expectRoom({{"sack", 11, "goal"}}); // spot 16 stays empty
    EXPECT_EQ(occupied(), (std::vector<int>{11, 15}));
}

TEST_F(Generator, WithoutSpawnersNothingIsHidden) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "pin"}]}})"))
        << loadErrors;
    std::string out = generate(6, {0});
    EXPECT_EQ(out, "Fin generation du niveau\n");
    expectRoom({{"goal", 16}});
    EXPECT_EQ(randomDraws(), 1);
}

TEST_F(Generator, EarlierTakeableObjectIsHiddenWithItsOwnDraws) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "lock", "takeable": false, "combinations": [
            {"combineWith": "pin", "turnInto": "goal", "destroy": true}]},
        {"name": "holder", "combinations": [
            {"combineWith": "crate", "turnInto": "pin", "destroy": true}]},
        {"name": "crate", "canSpawnObject": true},
        {"name": "sack", "takeable": false, "canSpawnObject": true},
        {"name": "pin"}]}})"))
        << loadErrors;
    // Pass 3: the crate can spawn, so C draws and passes; D passes the lock
    // and hides the holder, which makes the pin.
    std::string out = generate(5, {0, 3, 5, 0, 1, 6});
    EXPECT_EQ(out, "Objet ajoute: pin\nObjet ajoute: crate\nObjet ajoute: sack\n"
                   "Fin generation du niveau\n");
    expectRoom({{"lock", 16}, {"sack", 6, "holder"}, {"crate", 5}});
    EXPECT_EQ(occupied(), (std::vector<int>{3, 5, 6, 10}));
    EXPECT_EQ(randomLeft(), 0);
}

TEST_F(Generator, EarlierSpawnerIsTurnedThenCombinedBack) {
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "crate", "takeable": false, "canSpawnObject": true, "combinations": [
            {"combineWith": "pin", "turnInto": "goal", "destroy": true}]},
        {"name": "sack", "takeable": false, "canSpawnObject": true},
        {"name": "closed_crate", "takeable": false, "turnIntoOnInteract": "crate"},
        {"name": "nailed", "takeable": false, "combinations": [
            {"combineWith": "bar", "turnInto": "closed_crate", "destroy": false}]},
        {"name": "pin"}, {"name": "bar"}]}})"))
        << loadErrors;
    // Passes: combine (2 steps), hide the pin (3), D turns the crate back (5),
    // D combines the closed crate back (7).
    std::string out = generate(7, {0, 2, 1, 5, 0, 0, 7});
    EXPECT_EQ(out, "Objet ajoute: pin\nObjet ajoute: sack\nObjet change en: closed_crate\n"
                   "Objet ajoute: bar\nFin generation du niveau\n");
    expectRoom({{"nailed", 16}, {"sack", 5, "pin"}, {"bar", 7}});
    EXPECT_EQ(occupied(), (std::vector<int>{2, 5, 7, 9}));
    EXPECT_EQ(randomLeft(), 0);
}

TEST_F(Generator, HolderIsWorkedBackOnlyIntoATypeThatKeepsWhatItHides) {
    // The crate that hides the door is made from a crowbar and the first type
    // a click leaves it in: not the key (taken), nor the latch (stuck).
    ASSERT_TRUE(useCatalogue(keyHolderCatalogue)) << loadErrors;
    generate(3, {0, 0, 2, 9});
    expectRoom({{"nailed_crate", 2, "open_door"}, {"crowbar", 9}});
    EXPECT_EQ(occupied(), (std::vector<int>{2, 6, 9}));
    EXPECT_EQ(randomLeft(), 0);
}

TEST_F(Generator, EarlierHolderAndFinishingObjectAreLeftAlone) {
    // A lever that a click turns into an exit may hold the goal, as the level
    // ends at the exit, though a click there would leave rubble. It is never
    // hidden again, nor turned back into a bent lever, as it leads to no
    // container; a portal finishes the level, so nothing turns it back into a
    // dark portal, although it leads to a chest.
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "beacon", "takeable": false, "finishLevelOnInteract": true},
        {"name": "exit", "takeable": false, "finishLevelOnInteract": true,
         "turnIntoOnInteract": "rubble"},
        {"name": "rubble", "takeable": false},
        {"name": "crate", "takeable": false, "canSpawnObject": true},
        {"name": "sack", "canSpawnObject": true},
        {"name": "chest", "takeable": false, "canSpawnObject": true},
        {"name": "lever", "turnIntoOnInteract": "exit", "combinations": [
            {"combineWith": "sack", "turnInto": "crate", "destroy": true}]},
        {"name": "portal", "takeable": false, "finishLevelOnInteract": true,
         "turnIntoOnInteract": "chest", "combinations": [
            {"combineWith": "sack", "turnInto": "beacon", "destroy": true}]},
        {"name": "dark_portal", "takeable": false, "turnIntoOnInteract": "portal"},
        {"name": "bent_lever", "turnIntoOnInteract": "lever"}]}})"))
        << loadErrors;
    // Passes: hide the goal, combine the crate back, then D finds nothing.
    std::string out = generate(4, {0, 0, 2, 9, 1});
    EXPECT_EQ(out, "Objet ajoute: crate\nObjet ajoute: sack\nFin generation du niveau\n");
    expectRoom({{"lever", 2, "goal"}, {"sack", 9}});
    EXPECT_EQ(randomLeft(), 0);
    EXPECT_EQ(randomDraws(), 5);

    out = generate(3, {1, 9, 0});
    EXPECT_EQ(out, "Objet ajoute: sack\nFin generation du niveau\n");
    expectRoom({{"portal", 16}, {"sack", 9}});
    EXPECT_EQ(randomDraws(), 3);
}

TEST_F(Generator, ShippedCatalogueKeepsItsLimitsOverManyLevels) {
    int levels = 0;
    for (unsigned int seed = 1; seed <= 120; ++seed) {
        for (int level = 1; level <= 25; ++level) {
            seedScriptedRandom(seed * 7919u + unsigned(level));
            game.levelNum = level - 1;
            game.targetInteractions = level + 1;
            testing::internal::CaptureStdout();
            game.reset();
            std::string out = testing::internal::GetCapturedStdout();
            ++levels;
            ASSERT_EQ(game.levelNum, level);
            ASSERT_EQ(out.substr(out.size() - 25), "Fin generation du niveau\n");
            ASSERT_GE(game.roomObjectCount, 1u);
            ASSERT_LE(game.roomObjectCount, 17u);
            std::set<int> spots;
            bool endObjectShown = false;
            for (unsigned int i = 0; i < game.roomObjectCount; ++i) {
                const Sarn2017::RoomObject& object = game.roomObjects[i];
                ASSERT_NE(object.type, nullptr);
                ASSERT_FALSE(object.taken);
                ASSERT_TRUE(spots.insert(object.positionIndex).second)
                    << "two objects on spot " << object.positionIndex;
                endObjectShown = endObjectShown || object.positionIndex == Sarn2017::endSpot;
                if (!object.objectToSpawn)
                    continue;
                ASSERT_LE(object.positionIndex, 11);
                ASSERT_TRUE(spots.insert(object.positionIndex + 4).second)
                    << "spot " << object.positionIndex + 4 << " is not kept free";
            }
            // The end spot holds the first object unless it was hidden.
            ASSERT_EQ(endObjectShown, game.roomObjects[0].positionIndex == Sarn2017::endSpot);
        }
    }
    EXPECT_EQ(levels, 3000);
}

} // namespace
