#include "DataSet.h"

#include "ArtKit.h"
#include "CameraPath.h"
#include "Catalogue.h"
#include "DataOutput.h"
#include "ExampleData.h"
#include "MeshFiles.h"
#include "RoomArt.h"
#include "Sarn2015Data.h"
#include "Sarn2016Data.h"

#include <algorithm>

namespace {

const int roomPictureSize = 144;
const int iconSize = 60;

// Extent of a drawing in its own units, measured from what it paints. Glows
// count too, which keeps lit objects centred on their light.
struct Extent {
    float left, top, right, bottom;
};

Extent measure(const ObjectDef& def) {
    const float scale = 4.0f;
    Canvas canvas(400, 400);
    def.draw(makePen(canvas, scale, 0.0f, 0.0f, 0.0f, palette::ink));
    int x0 = canvas.width, y0 = canvas.height, x1 = -1, y1 = -1;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.pixels[(static_cast<size_t>(y) * canvas.width + x) * 4 + 3] > 0.25f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x + 1);
                y1 = std::max(y1, y + 1);
            }
        }
    }
    if (x1 < 0) {
        return {0.0f, 0.0f, 100.0f, 100.0f};
    }
    return {x0 / scale, y0 / scale, x1 / scale, y1 / scale};
}

Canvas roomPicture(const ObjectDef& def, const Extent& extent) {
    Canvas canvas(roomPictureSize, roomPictureSize);
    float scale = roomPictureSize / 100.0f;
    Pen pen = makePen(canvas, scale, 0.0f, 0.0f, 2.2f, palette::ink);
    float centre = (extent.left + extent.right) * 0.5f;
    float half = (extent.right - extent.left) * 0.42f;
    ellipse(pen.plain(), {centre, 97.0f}, half, 3.0f, withAlpha(hexColor(0x000000), 0.3f));
    // Whatever its drawing does, the object rests on the picture's bottom edge,
    // where the game puts the floor under it.
    float drop = extent.bottom < 100.0f ? 100.5f - extent.bottom : 0.0f;
    def.draw(pen.moved(0.0f, drop));
    return canvas;
}

// The same drawing, framed to fill its share of the slot.
Canvas inventoryIcon(const ObjectDef& def, const Extent& extent) {
    Canvas canvas(iconSize, iconSize);
    float width = extent.right - extent.left;
    float height = extent.bottom - extent.top;
    float scale = (iconSize - 4.0f) * def.iconFill / std::max(width, height);
    float cx = (extent.left + extent.right) * 0.5f;
    float cy = (extent.top + extent.bottom) * 0.5f;
    Pen pen = makePen(canvas, scale, iconSize * 0.5f - scale * cx, iconSize * 0.5f - scale * cy,
                      1.5f, palette::ink);
    def.draw(pen);
    return canvas;
}

} // namespace

bool generateDataSet(const std::string& root, std::vector<std::string>& written) {
    DataOutput out(root, written);
    out.text("data/quad.json", meshJson(unitQuad(1, 1)));
    out.bmp("data/blackpixel.bmp", 4, 4, std::vector<std::uint8_t>(4 * 4 * 3, 0));
    Canvas white(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            white.blend(x, y, palette::white, 1.0f);
        }
    }
    out.png("data/whitepixel2.png", white);
    out.png("data/Sarn2017/room.png", drawRoom());
    for (int digit = 0; digit < 10; ++digit) {
        out.png("data/Sarn2017/" + std::to_string(digit) + ".png", drawDigit(digit));
    }
    const std::vector<ObjectDef>& catalogue = objectCatalogue();
    out.text("data/Sarn2017/objects/objects.json", catalogueJson(catalogue));
    for (const ObjectDef& def : catalogue) {
        std::string name = def.name;
        Extent extent = measure(def);
        if (def.takeable) {
            out.png("data/Sarn2017/objects/inventory/" + name + ".png", inventoryIcon(def, extent));
        }
        out.png("data/Sarn2017/objects/room/" + name + ".png", roomPicture(def, extent));
        out.png("data/Sarn2017/objects/name/" + name + ".png", drawNameCard(displayName(def.name)));
    }
    writeCameraPath(out);
    writeExampleData(out);
    writeSarn2015Data(out);
    writeSarn2016Data(out);
    return out.allWritten();
}
