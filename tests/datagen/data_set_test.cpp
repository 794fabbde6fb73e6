// The committed data/ files are exactly what the data tool makes, and they
// are what the game needs: images of the right kind and size for every type
// the catalogue names, a catalogue the generator can work with, a quad that
// faces the camera.
#include "DataFiles.h"
#include "DataSet.h"
#include "Image.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

rapidjson::Document parseJsonFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    rapidjson::Document doc;
    if (!readFileBytes(path, bytes)) {
        doc.SetNull();
        return doc;
    }
    doc.Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return doc;
}

struct TypeInfo {
    bool takeable = true;
    bool finishes = false;
    bool spawns = false;
    std::string turnIntoOnInteract;
    std::vector<std::string> referenced;
};

// A catalogue, read the way the game reads it.
std::map<std::string, TypeInfo> readCatalogue(rapidjson::Document& doc,
                                              std::vector<std::string>& order) {
    std::map<std::string, TypeInfo> types;
    if (!doc.IsObject() || !doc.HasMember("objectsList") || !doc["objectsList"].IsObject() ||
        !doc["objectsList"].HasMember("objects") || !doc["objectsList"]["objects"].IsArray()) {
        ADD_FAILURE() << "objects.json lacks objectsList.objects";
        return types;
    }
    for (const rapidjson::Value& entry : doc["objectsList"]["objects"].GetArray()) {
        if (!entry.IsObject() || !entry.HasMember("name") || !entry["name"].IsString()) {
            ADD_FAILURE() << "entry without a name";
            continue;
        }
        std::string name = entry["name"].GetString();
        EXPECT_EQ(types.count(name), 0u) << "duplicate type " << name;
        TypeInfo info;
        auto flag = [&](const char* key, bool& out) {
            if (entry.HasMember(key)) {
                ASSERT_TRUE(entry[key].IsBool()) << name << "." << key;
                out = entry[key].GetBool();
            }
        };
        flag("takeable", info.takeable);
        flag("finishLevelOnInteract", info.finishes);
        flag("canSpawnObject", info.spawns);
        if (entry.HasMember("turnIntoOnInteract")) {
            EXPECT_TRUE(entry["turnIntoOnInteract"].IsString()) << name;
            info.turnIntoOnInteract = entry["turnIntoOnInteract"].GetString();
            info.referenced.push_back(info.turnIntoOnInteract);
        }
        if (entry.HasMember("combinations")) {
            EXPECT_TRUE(entry["combinations"].IsArray()) << name;
            for (const rapidjson::Value& c : entry["combinations"].GetArray()) {
                bool complete = c.IsObject() && c.HasMember("combineWith") &&
                                c["combineWith"].IsString() && c.HasMember("turnInto") &&
                                c["turnInto"].IsString() && c.HasMember("destroy") &&
                                c["destroy"].IsBool();
                EXPECT_TRUE(complete) << name << " has an incomplete combination";
                if (complete) {
                    info.referenced.push_back(c["combineWith"].GetString());
                    info.referenced.push_back(c["turnInto"].GetString());
                }
            }
        }
        types[name] = info;
        order.push_back(name);
    }
    return types;
}

// The committed catalogue.
std::map<std::string, TypeInfo> loadCatalogue(std::vector<std::string>& order) {
    rapidjson::Document doc = parseJsonFile("data/Sarn2017/objects/objects.json");
    return readCatalogue(doc, order);
}

void expectRgbaPng(const std::string& path, std::uint32_t maxWidth, std::uint32_t maxHeight,
                   bool exact) {
    PngHeader h;
    ASSERT_TRUE(readPngHeader(path, h)) << path << " is missing or not a PNG";
    // And the game's own reader takes it at the same size.
    unsigned short width = 0, height = 0;
    unsigned char* pixels = Image::loadPNG(path.c_str(), &width, &height);
    EXPECT_NE(pixels, nullptr) << path;
    delete[] pixels;
    EXPECT_EQ(width, h.width) << path;
    EXPECT_EQ(height, h.height) << path;
    EXPECT_EQ(h.bitDepth, 8) << path;
    EXPECT_EQ(h.colorType, 6) << path << " is not RGBA";
    EXPECT_EQ(h.interlace, 0) << path << " is interlaced";
    if (exact) {
        EXPECT_EQ(h.width, maxWidth) << path;
        EXPECT_EQ(h.height, maxHeight) << path;
    } else {
        EXPECT_GT(h.width, 0u) << path;
        EXPECT_GT(h.height, 0u) << path;
        EXPECT_LE(h.width, maxWidth) << path;
        EXPECT_LE(h.height, maxHeight) << path;
    }
}

std::uint8_t alphaAt(const std::vector<std::uint8_t>& rgba, int width, int x, int y) {
    return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3];
}

} // namespace

TEST(DataSet, RegeneratesTheCommittedFilesByteForByte) {
    char pattern[] = "/tmp/datagen_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string scratch = pattern;
    std::vector<std::string> written;
    ASSERT_TRUE(generateDataSet(scratch, written));
    ASSERT_FALSE(written.empty());

    std::vector<std::string> differing;
    for (const std::string& path : written) {
        std::vector<std::uint8_t> fresh, committed;
        ASSERT_TRUE(readFileBytes(scratch + "/" + path, fresh)) << path;
        if (!readFileBytes(path, committed)) {
            differing.push_back(path + " (missing from the repository)");
        } else if (fresh != committed) {
            differing.push_back(path + " (differs)");
        }
    }
    // Nothing stale under the games' own folders: a renamed type or room
    // leaves no orphan file behind.
    std::set<std::string> made(written.begin(), written.end());
    for (const char* folder : {"data/Sarn2017", "data/Sarn2016", "data/water2"}) {
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
            if (e.is_regular_file() && !made.count(e.path().generic_string())) {
                differing.push_back(e.path().generic_string() + " (not made by the tool)");
            }
        }
    }
    fs::remove_all(scratch);
    std::string report;
    for (const std::string& d : differing) {
        report += "\n  " + d;
    }
    EXPECT_TRUE(differing.empty()) << "run build/host/tools/datagen/datagen to refresh:" << report;
}

TEST(DataSet, EveryImageTheGameLoadsHasItsFormatAndSize) {
    std::vector<std::string> order;
    std::map<std::string, TypeInfo> types = loadCatalogue(order);
    ASSERT_FALSE(types.empty());
    int textures = 3; // black panel, white slot, room background
    expectRgbaPng("data/whitepixel2.png", 4, 4, true);
    expectRgbaPng("data/Sarn2017/room.png", 1000, 720, true);
    for (int digit = 0; digit < 10; ++digit) {
        expectRgbaPng("data/Sarn2017/" + std::to_string(digit) + ".png", 40, 40, true);
        ++textures;
    }
    for (const std::string& name : order) {
        expectRgbaPng("data/Sarn2017/objects/room/" + name + ".png", 150, 150, false);
        expectRgbaPng("data/Sarn2017/objects/name/" + name + ".png", 400, 100, false);
        textures += 2;
        if (types[name].takeable) {
            expectRgbaPng("data/Sarn2017/objects/inventory/" + name + ".png", 60, 60, true);
            ++textures;
        }
    }
    EXPECT_LE(textures, 128);

    // The panel stretches this BMP: 24-bit, pixels at offset 54, rows of a
    // whole number of 4-byte words, all black.
    std::vector<std::uint8_t> bmp;
    ASSERT_TRUE(readFileBytes("data/blackpixel.bmp", bmp));
    ASSERT_GE(bmp.size(), 54u);
    auto little = [&](size_t at, int n) {
        std::uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) {
            v = (v << 8) | bmp[at + i];
        }
        return v;
    };
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(little(10, 4), 54u);
    EXPECT_EQ(little(28, 2), 24u);
    EXPECT_EQ(little(30, 4), 0u);
    std::uint32_t width = little(18, 4);
    std::uint32_t height = little(22, 4);
    EXPECT_EQ(width % 4, 0u);
    EXPECT_EQ(little(34, 4), width * 3 * height);
    ASSERT_EQ(bmp.size(), 54 + width * 3 * height);
    EXPECT_TRUE(std::all_of(bmp.begin() + 54, bmp.end(), [](std::uint8_t b) { return b == 0; }));
    unsigned short readWidth = 0, readHeight = 0;
    unsigned char* black = Image::loadBMP24("data/blackpixel.bmp", &readWidth, &readHeight);
    ASSERT_NE(black, nullptr);
    delete[] black;
    EXPECT_EQ(readWidth, width);
    EXPECT_EQ(readHeight, height);
}

TEST(DataSet, PicturesStandOnTheirBottomEdgeOverTransparency) {
    std::vector<std::string> order;
    std::map<std::string, TypeInfo> types = loadCatalogue(order);
    for (const std::string& name : order) {
        int w, h;
        std::vector<std::uint8_t> rgba;
        std::string room = "data/Sarn2017/objects/room/" + name + ".png";
        ASSERT_TRUE(decodePng(room, w, h, rgba)) << room;
        EXPECT_EQ(alphaAt(rgba, w, 0, 0), 0) << room;
        EXPECT_EQ(alphaAt(rgba, w, w - 1, 0), 0) << room;
        bool grounded = false;
        for (int x = 0; x < w; ++x) {
            grounded = grounded || alphaAt(rgba, w, x, h - 1) == 255;
        }
        EXPECT_TRUE(grounded) << room << " does not reach its bottom edge";
        if (types[name].takeable) {
            std::string icon = "data/Sarn2017/objects/inventory/" + name + ".png";
            ASSERT_TRUE(decodePng(icon, w, h, rgba)) << icon;
            EXPECT_EQ(alphaAt(rgba, w, 0, 0) + alphaAt(rgba, w, w - 1, h - 1), 0) << icon;
            bool filled = false;
            for (int y = h / 3; y < 2 * h / 3; ++y) {
                for (int x = w / 3; x < 2 * w / 3; ++x) {
                    filled = filled || alphaAt(rgba, w, x, y) == 255;
                }
            }
            EXPECT_TRUE(filled) << icon << " is empty in the middle";
        }
    }
    // Digits are light on transparency; the name cards are opaque inside.
    int w, h;
    std::vector<std::uint8_t> rgba;
    ASSERT_TRUE(decodePng("data/Sarn2017/8.png", w, h, rgba));
    EXPECT_EQ(alphaAt(rgba, w, 0, 0), 0);
    ASSERT_TRUE(decodePng("data/Sarn2017/objects/name/key.png", w, h, rgba));
    EXPECT_EQ(alphaAt(rgba, w, w / 2, h / 2), 255);
}

TEST(DataSet, CatalogueKeepsLevelsGeneratable) {
    std::vector<std::string> order;
    std::map<std::string, TypeInfo> types = loadCatalogue(order);
    int finishers = 0;
    int spawners = 0;
    for (const auto& [name, info] : types) {
        finishers += info.finishes;
        spawners += info.spawns;
        if (info.finishes || info.spawns || !info.turnIntoOnInteract.empty()) {
            EXPECT_FALSE(info.takeable) << name << " acts in the room and must stay there";
        }
        for (const std::string& other : info.referenced) {
            EXPECT_EQ(types.count(other), 1u) << name << " names unknown type " << other;
        }
        // A click chain must end (or reach a spawner) rather than loop.
        std::set<std::string> seen;
        std::string at = name;
        while (!at.empty() && types.count(at) && !types[at].spawns) {
            ASSERT_TRUE(seen.insert(at).second) << "turnIntoOnInteract loops from " << name;
            at = types[at].turnIntoOnInteract;
        }
    }
    EXPECT_GE(finishers, 1);
    EXPECT_GE(spawners, 1);
}

TEST(DataSet, QuadCoversTheUnitSquareFacingTheViewer) {
    rapidjson::Document doc = parseJsonFile("data/quad.json");
    ASSERT_TRUE(doc.IsObject() && doc.HasMember("model"));
    const rapidjson::Value& model = doc["model"];
    for (const char* key : {"vertices", "uvs", "colors", "indices"}) {
        ASSERT_TRUE(model.HasMember(key) && model[key].IsArray()) << key;
    }
    const rapidjson::Value& v = model["vertices"];
    const rapidjson::Value& uv = model["uvs"];
    const rapidjson::Value& c = model["colors"];
    ASSERT_EQ(v.Size(), 4u);
    ASSERT_EQ(uv.Size(), 4u);
    ASSERT_EQ(c.Size(), 4u);
    std::set<std::pair<float, float>> corners;
    for (rapidjson::SizeType i = 0; i < 4; ++i) {
        float x = v[i]["x"].GetFloat();
        float y = v[i]["y"].GetFloat();
        EXPECT_EQ(v[i]["z"].GetFloat(), 0.0f);
        corners.insert({x, y});
        EXPECT_EQ(uv[i]["u"].GetFloat(), x) << "vertex " << i;
        EXPECT_EQ(uv[i]["v"].GetFloat(), y) << "vertex " << i;
        for (const char* ch : {"r", "g", "b"}) {
            EXPECT_EQ(c[i][ch].GetFloat(), 1.0f);
        }
    }
    EXPECT_EQ(corners, (std::set<std::pair<float, float>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    const rapidjson::Value& tri = model["indices"];
    ASSERT_EQ(tri.Size(), 2u);
    float area = 0.0f;
    for (rapidjson::SizeType t = 0; t < 2; ++t) {
        int a = tri[t]["a"].GetInt(), b = tri[t]["b"].GetInt(), d = tri[t]["c"].GetInt();
        for (int i : {a, b, d}) {
            ASSERT_TRUE(i >= 0 && i < 4);
        }
        float ax = v[a]["x"].GetFloat(), ay = v[a]["y"].GetFloat();
        float cross = (v[b]["x"].GetFloat() - ax) * (v[d]["y"].GetFloat() - ay) -
                      (v[b]["y"].GetFloat() - ay) * (v[d]["x"].GetFloat() - ax);
        EXPECT_GT(cross, 0.0f) << "triangle " << t << " faces away and would be culled";
        area += cross * 0.5f;
    }
    EXPECT_EQ(area, 1.0f);
}
