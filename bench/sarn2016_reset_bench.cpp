// Sarn2016::reset (the level file, its images and meshes, every room file)
// against parsing the same JSON files with plain rapidjson and decoding the
// level's PNG images with plain libpng (its BMP images only read), in one run
// over the recording back end. Run by `./x bench`; figures go to stderr.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <png.h>
#include <rapidjson/document.h>

#include "Sarn2016.h"
#include "support/Recorder.h"

static double now() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}

static std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

static double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int main() {
    const std::string folder = "data/Sarn2016/";
    rapidjson::Document level;
    std::string levelText = fileText(folder + "level.json");
    level.Parse(levelText.c_str());
    if (!level.IsObject() || !level.HasMember("level")) {
        std::fprintf(stderr, "no level at %slevel.json\n", folder.c_str());
        return 1;
    }
    // The files reset reads: the level, its rooms and its distinct meshes; its images.
    std::vector<std::string> json = {folder + "level.json"}, images;
    for (const auto& room : level["level"]["rooms"].GetArray())
        json.push_back(folder + room.GetString());
    for (const auto& texture : level["level"]["textures"].GetArray())
        images.push_back(texture["path"].GetString());
    for (const auto& displayable : level["level"]["displayables"].GetArray()) {
        std::string mesh = displayable["modelPath"].GetString();
        if (std::find(json.begin(), json.end(), mesh) == json.end())
            json.push_back(mesh);
    }

    auto game = std::make_unique<Sarn2016>();
    std::vector<double> plainTimes, resetTimes;
    std::vector<unsigned char> pixels;
    for (int run = 0; run < 9; ++run) {
        double start = now();
        for (const std::string& file : json) {
            std::string text = fileText(file);
            rapidjson::Document doc;
            doc.Parse<rapidjson::kParseStopWhenDoneFlag>(text.c_str());
        }
        for (const std::string& file : images) {
            if (file.size() < 4 || file.compare(file.size() - 4, 4, ".png") != 0) {
                pixels.assign(1, 0);
                std::string bytes = fileText(file);
                pixels[0] = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
                continue;
            }
            png_image image = {};
            image.version = PNG_IMAGE_VERSION;
            if (!png_image_begin_read_from_file(&image, file.c_str()))
                return 1;
            image.format = PNG_FORMAT_RGBA;
            pixels.resize(PNG_IMAGE_SIZE(image));
            png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        }
        plainTimes.push_back(now() - start);

        recorder().reset();
        start = now();
        game->reset();
        resetTimes.push_back(now() - start);
    }
    double plain = median(plainTimes), reset = median(resetTimes);
    std::fprintf(stderr, "%u JSON files, %u images; median of %u runs:\n", unsigned(json.size()),
                 unsigned(images.size()), unsigned(resetTimes.size()));
    std::fprintf(stderr, "  plain rapidjson + libpng   %8.2f ms\n", plain * 1e3);
    std::fprintf(stderr, "  Sarn2016::reset            %8.2f ms (ratio %.2f)\n", reset * 1e3,
                 reset / plain);
    return 0;
}
