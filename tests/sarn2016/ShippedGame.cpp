#include "ShippedGame.h"

#include "Input/PC/InputManager.h"
#include "Recorder.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"

void ShippedSarn2016::SetUp() {
    recorder().reset();
    seedScriptedRandom(7);
    holdOnly({});
    inputManager.mWritableMouseLeft = false;
    Renderer::renderer.init();
    game = std::make_unique<Sarn2016>();
    ASSERT_TRUE(game->init());
    game->onResize(1280, 720);
}

bool pixelOf(const float* proj, const float* mv, const Vector3D& p, Vector2D& pixel) {
    const float in[4] = {p.x, p.y, p.z, 1.0f};
    float eye[4] = {}, clip[4] = {};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            eye[r] += mv[4 * c + r] * in[c];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            clip[r] += proj[4 * c + r] * eye[c];
    pixel = Vector2D((clip[0] / clip[3] + 1.0f) * 640.0f, (clip[1] / clip[3] + 1.0f) * 360.0f);
    return clip[3] > 0.0f && pixel.x > 0.0f && pixel.x < 1280.0f && pixel.y > 0.0f &&
           pixel.y < 720.0f;
}
