#include "GameFixture.h"

#include <algorithm>
#include <random>

#include "ScriptedRandom.h"
#include "Solver.h"

namespace {

class Solver : public GameTest {
public:
    void generate(int level, unsigned int seed) {
        seedScriptedRandom(seed);
        game.levelNum = level - 1;
        game.targetInteractions = level + 1;
        testing::internal::CaptureStdout();
        game.reset();
        testing::internal::GetCapturedStdout();
    }
    int slotHolding(const Sarn2017::ObjectType* type, int except) {
        for (int slot = 0; slot < 12; ++slot) {
            Sarn2017::Object* object = game.inventorySlots[slot].object;
            if (slot != except && object && object->type == type)
                return slot;
        }
        return -1;
    }
    int roomObjectOn(int spot) {
        for (unsigned int i = 0; i < game.roomObjectCount; ++i)
            if (!game.roomObjects[i].taken && game.roomObjects[i].positionIndex == spot)
                return int(i);
        return -1;
    }
    // Plays the moves with the mouse; true when the last one finished the level.
    bool replay(const std::vector<SolverMove>& moves) {
        int level = game.levelNum;
        testing::internal::CaptureStdout();
        for (const SolverMove& move : moves) {
            if (move.kind == SolverMove::click) {
                int index = roomObjectOn(move.spot);
                if (index < 0)
                    break;
                click(roomCentre(unsigned(index)));
                continue;
            }
            int from = slotHolding(move.dragged, -1);
            if (from < 0)
                break;
            if (move.kind == SolverMove::dropOnSlot) {
                int to = slotHolding(move.target, from);
                if (to < 0)
                    break;
                drag(slotCentre(from), slotCentre(to));
            } else {
                int index = roomObjectOn(move.spot);
                if (index < 0)
                    break;
                drag(slotCentre(from), roomCentre(unsigned(index)));
            }
        }
        testing::internal::GetCapturedStdout();
        return game.levelNum == level + 1;
    }
};

TEST_F(Solver, EveryShippedLevelCanBeFinishedWithoutDeadEnds) {
    unsigned int levels = 0, maxStates = 0, maxMoves = 0, minMoves = 1000;
    for (unsigned int seed = 1; seed <= 200; ++seed) {
        for (int level = 1; level <= 25; ++level) {
            generate(level, seed * 104729u + unsigned(level));
            SolverResult r = solveLevel(game);
            ++levels;
            ASSERT_FALSE(r.tooBig) << "level " << level << " seed " << seed;
            ASSERT_TRUE(r.finishable) << "level " << level << " seed " << seed;
            ASSERT_EQ(r.deadEnds, 0u) << "level " << level << " seed " << seed << ": " << r.deadEnd;
            maxStates = std::max(maxStates, r.states);
            maxMoves = std::max(maxMoves, unsigned(r.shortest.size()));
            minMoves = std::min(minMoves, unsigned(r.shortest.size()));
            // The game itself finishes the level by the solver's moves.
            ASSERT_TRUE(replay(r.shortest)) << "level " << level << " seed " << seed;
        }
    }
    std::printf("%u levels: %u to %u moves, at most %u states\n", levels, minMoves, maxMoves,
                maxStates);
}

TEST_F(Solver, SeesALostHiddenObject) {
    // The chest that should release the key is empty: the door stays locked.
    setRoom({{"locked_door", 16}, {"treasure_chest", 2}});
    SolverResult r = solveLevel(game);
    EXPECT_FALSE(r.finishable);
    EXPECT_EQ(r.deadEnds, r.states);
    setRoom({{"locked_door", 16}, {"treasure_chest", 2, "key"}});
    r = solveLevel(game);
    EXPECT_TRUE(r.finishable);
    EXPECT_EQ(r.deadEnds, 0u);
    EXPECT_EQ(r.shortest.size(), 5u); // release, take, unlock, open, walk through
    EXPECT_TRUE(replay(r.shortest));
}

TEST_F(Solver, SeesDeadEnds) {
    // The key opens the door, but the cloth in the room swallows it too.
    ASSERT_TRUE(useCatalogue(R"({"objectsList": {"objects": [
        {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
        {"name": "locked_door", "takeable": false, "combinations": [
            {"combineWith": "key", "turnInto": "open_door", "destroy": true}]},
        {"name": "cloth", "takeable": false, "combinations": [
            {"combineWith": "key", "turnInto": "shears", "destroy": true}]},
        {"name": "shears", "takeable": false}, {"name": "key"}]}})"))
        << loadErrors;
    setRoom({{"locked_door", 16}, {"key", 0}, {"cloth", 1}});
    SolverResult r = solveLevel(game);
    EXPECT_TRUE(r.finishable);
    EXPECT_EQ(r.states, 5u); // start, key taken, door opened, cloth changed, finished
    EXPECT_EQ(r.deadEnds, 1u);
    EXPECT_EQ(r.deadEnd, "room: shears@1 locked_door@16; inventory:");
}

// Spawners that a click turns before they release: a crate whose lid nails
// shut, and a sack and a cloth that turn into each other for ever; beside them
// a closed chest that opens onto a spawner, which does release. The rusty key
// stays an earlier takeable object that later passes hide.
const char* const turningSpawners = R"({"objectsList": {"objects": [
    {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
    {"name": "locked_door", "takeable": false, "combinations": [
        {"combineWith": "key", "turnInto": "open_door", "destroy": true}]},
    {"name": "wooden_crate", "takeable": false, "canSpawnObject": true,
     "turnIntoOnInteract": "nailed_crate"},
    {"name": "nailed_crate", "takeable": false},
    {"name": "sack", "takeable": false, "canSpawnObject": true, "turnIntoOnInteract": "cloth"},
    {"name": "cloth", "takeable": false, "canSpawnObject": true, "turnIntoOnInteract": "sack"},
    {"name": "closed_chest", "takeable": false, "canSpawnObject": true,
     "turnIntoOnInteract": "treasure_chest"},
    {"name": "treasure_chest", "takeable": false, "canSpawnObject": true},
    {"name": "key"},
    {"name": "rusty_key", "combinations": [
        {"combineWith": "oil_can", "turnInto": "key", "destroy": true}]},
    {"name": "oil_can"}]}})";

// Combinations that play never carries out as written: the lock's second one
// names the bolt again, so a bolt always makes a trap; the stand's beacon is
// the plain one, the last of that name; the anchor cannot be taken, so the
// mooring would be taken to it and turn into an open door in the inventory,
// and nothing would bring it and the berth, which cannot be taken either, together;
// a click lights the torch into a flame instead of taking it to the gate. The
// key would open a hatch that a click takes, in the inventory, and a
// portcullis that a click drops into a trap. Only the locked door and its key
// make the open door.
const char* const misleadingCombinations = R"({"objectsList": {"objects": [
    {"name": "open_door", "takeable": false, "finishLevelOnInteract": true},
    {"name": "lit_beacon", "takeable": false, "finishLevelOnInteract": true},
    {"name": "trap", "takeable": false},
    {"name": "lock", "takeable": false, "combinations": [
        {"combineWith": "bolt", "turnInto": "trap", "destroy": true},
        {"combineWith": "bolt", "turnInto": "open_door", "destroy": true}]},
    {"name": "stand", "takeable": false, "combinations": [
        {"combineWith": "flame", "turnInto": "lit_beacon", "destroy": true}]},
    {"name": "mooring", "combinations": [
        {"combineWith": "anchor", "turnInto": "open_door", "destroy": true}]},
    {"name": "berth", "takeable": false, "combinations": [
        {"combineWith": "anchor", "turnInto": "open_door", "destroy": true}]},
    {"name": "gate", "takeable": false, "combinations": [
        {"combineWith": "torch", "turnInto": "open_door", "destroy": true}]},
    {"name": "hatch", "combinations": [
        {"combineWith": "key", "turnInto": "open_door", "destroy": true}]},
    {"name": "portcullis", "takeable": false, "turnIntoOnInteract": "trap", "combinations": [
        {"combineWith": "key", "turnInto": "open_door", "destroy": true}]},
    {"name": "locked_door", "takeable": false, "combinations": [
        {"combineWith": "key", "turnInto": "open_door", "destroy": true}]},
    {"name": "anchor", "takeable": false},
    {"name": "torch", "turnIntoOnInteract": "flame"},
    {"name": "bolt"}, {"name": "flame"}, {"name": "key"},
    {"name": "wooden_crate", "takeable": false, "canSpawnObject": true},
    {"name": "lit_beacon", "takeable": false}]}})";

// A chain of locks that a click cannot take, lock i turning with key i + 1
// into key i, which stays: lock 0 makes the goal. Finishing holds every key at
// once, one more than the slots when the chain has 13 locks. Some locks can
// be taken, and so wait in a slot for their key. A chain of 10 or 11 leaves
// spots for a spawner that can be taken once empty: that fills a slot too.
std::string keptKeyChain(unsigned int locks, const std::string& lock, const std::string& key,
                         unsigned int takeableEvery, const std::string& moreTypes) {
    std::string json = R"({"objectsList": {"objects": [{"name": "goal", "takeable": false,
        "finishLevelOnInteract": true})";
    for (unsigned int i = 0; i < locks; ++i)
        json += R"(, {"name": ")" + lock + std::to_string(i) + R"(", "takeable": )" +
                (i > 0 && i % takeableEvery == 0 ? "true" : "false") +
                R"(, "combinations": [{"combineWith": ")" + key + std::to_string(i + 1) +
                R"(", "turnInto": ")" + (i ? key + std::to_string(i) : "goal") +
                R"(", "destroy": false}]})";
    for (unsigned int i = 1; i <= locks; ++i)
        json += R"(, {"name": ")" + key + std::to_string(i) + R"("})";
    return json + moreTypes + "]}}";
}

// Catalogues that invite losing a hidden object (a key and a latch that
// combine into a crate, spawners that turn first), a combination that play
// does otherwise, or more kept keys than slots still make levels with no dead
// end, and the types that keep what they hide still hold it: the nailed
// crate, the dark portal, whose clicks end the level at the glowing one, the
// closed chest, which turns and then releases, and the crate.
TEST_F(Solver, NoCatalogueMakesAHolderLoseWhatItHides) {
    struct Case {
        std::string catalogue;
        std::vector<std::string> holders;
    };
    std::vector<Case> cases = {{keyHolderCatalogue, {"nailed_crate", "dark_portal"}},
                               {turningSpawners, {"closed_chest"}},
                               {misleadingCombinations, {"wooden_crate"}},
                               {keptKeyChain(13, "lock", "key", 100, ""), {}}};
    std::mt19937 random(36);
    const char* names[] = {"gate", "chest", "card", "rune"};
    unsigned int locks = 10 + random() % 2, lock = random() % 2, key = 2 + random() % 2;
    cases.push_back({keptKeyChain(locks, names[lock], names[key], 5 + random() % 4,
                                  R"(, {"name": "basket", "canSpawnObject": true})"),
                     {}});
    for (const Case& c : cases) {
        ASSERT_TRUE(useCatalogue(c.catalogue)) << loadErrors;
        // Pictures the data lacks take the shipped size, so that clicks find them.
        for (unsigned int t = 0; t < game.objectTypeCount; ++t) {
            Texture& picture = game.objectTypes[t].roomTexture;
            if (!picture.width)
                picture.width = picture.height = 144;
        }
        unsigned int lost = 0;
        std::vector<unsigned int> held(c.holders.size(), 0);
        for (unsigned int seed = 1; seed <= 150; ++seed) {
            for (int level = 1; level <= 16; ++level) {
                generate(level, seed * 7u + unsigned(level) * 1000u);
                for (unsigned int i = 0; i < game.roomObjectCount; ++i)
                    for (std::size_t h = 0; h < c.holders.size(); ++h)
                        held[h] += game.roomObjects[i].objectToSpawn &&
                                   game.roomObjects[i].type->name == c.holders[h];
                SolverResult r = solveLevel(game);
                ASSERT_FALSE(r.tooBig);
                ASSERT_TRUE(r.finishable) << "level " << level << " seed " << seed;
                lost += r.deadEnds > 0;
                ASSERT_TRUE(replay(r.shortest)) << "level " << level << " seed " << seed;
            }
        }
        EXPECT_EQ(lost, 0u) << "case " << &c - cases.data();
        for (std::size_t h = 0; h < c.holders.size(); ++h)
            EXPECT_GT(held[h], 100u) << c.holders[h];
    }
    // An object dragged into a new level ends in one of its slots: a take fewer.
    ASSERT_TRUE(useCatalogue(cases[3].catalogue)) << loadErrors;
    generate(16, 1);
    EXPECT_EQ(game.roomObjectCount, 13u); // twelve locks and a key: twelve takes
    game.objects[0].type = game.objectTypes;
    game.draggingObject = &game.objects[0];
    generate(16, 1);
    EXPECT_EQ(game.roomObjectCount, 12u);
}

} // namespace
