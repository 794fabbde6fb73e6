// Random keys through the shipped level for thousands of frames: nothing
// crashes (ASan, UBSan) and the swimmer never leaves its room.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "LevelRandom.h"
#include "Recorder.h"
#include "Sarn2016.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"

TEST(Sarn2016Monkey, RandomKeysKeepTheSwimmerInItsRoom) {
    recorder().reset();
    seedScriptedRandom(11);
    holdOnly({});
    auto game = std::make_unique<Sarn2016>();
    ASSERT_TRUE(game->init());
    game->onResize(1280, 720);
    const Key keys[] = {Key::Space, Key::LeftControl, Key::F1,    Key::F2, Key::F3,
                        Key::F4,    Key::Left,        Key::Right, Key::Up, Key::Down};
    std::vector<Key> held;
    for (int frame = 0; frame < 6000; ++frame) {
        if (frame % 6 == 0) {
            held.clear();
            for (Key key : keys) {
                // Restarts rarely, strokes often.
                int odds = key == Key::F4 ? 400 : key == Key::Space ? 2 : 4;
                if (levelRandom() % odds == 0)
                    held.push_back(key);
            }
        }
        switch (held.size()) {
        case 0:
            holdOnly({});
            break;
        case 1:
            holdOnly({held[0]});
            break;
        case 2:
            holdOnly({held[0], held[1]});
            break;
        default:
            holdOnly({held[0], held[1], held[2]});
            break;
        }
        game->prepare(frame % 97 == 0 ? 0.2f : 1.0f / 60.0f);
        if (frame % 5 == 0)
            game->render();
        const Sarn2016::Room& room = *game->currentRoom;
        const Vector3D& p = game->swimmer.position;
        ASSERT_TRUE(p.x >= room.left && p.x <= room.right && p.y >= room.bottom &&
                    p.y <= room.top && p.z >= -20.0f && p.z <= 0.0f)
            << "frame " << frame << ": " << p.x << ", " << p.y << ", " << p.z;
    }
    EXPECT_TRUE(recorder().faults().empty());
}
