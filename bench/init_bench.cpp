// Sarn2017::init against decoding the same PNG files with plain libpng, in one
// run of game_gl's OpenGL back end under Wine. Run by `./x bench`; figures go to
// stderr.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <png.h>

#include "Image.h"
#include "Renderer/PC/Windows/glwindow.h"
#include "Renderer/Renderer.h"
#include "Sarn2017.h"
#include "Texture.h"

static double now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Every PNG that init loads: the screen images, the digits and, per object
// type, its pictures (icons exist for the takeable types only).
static std::vector<std::string> gamePNGs() {
    std::vector<std::string> files = {"data/whitepixel2.png", "data/Sarn2017/room.png"};
    for (int i = 0; i < 10; ++i)
        files.push_back("data/Sarn2017/" + std::to_string(i) + ".png");
    for (const char* folder : {"inventory", "room", "name"})
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string("data/Sarn2017/objects/") + folder))
            files.push_back(entry.path().generic_string());
    return files;
}

static bool decode(const std::string& file, std::vector<unsigned char>& pixels) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

static double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    GLWindow window(instance);
    if (!window.create(1280, 720, 32, false))
        return 1;
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    Renderer::renderer.init();

    std::vector<std::string> files = gamePNGs();
    std::vector<unsigned char> pixels;
    std::vector<double> decodeTimes, readerTimes, textureTimes, initTimes;
    std::size_t bytes = 0;
    for (int run = 0; run < 7; ++run) {
        double start = now();
        bytes = 0;
        for (const std::string& file : files) {
            if (!decode(file, pixels))
                std::fprintf(stderr, "cannot decode %s\n", file.c_str());
            bytes += pixels.size();
        }
        decodeTimes.push_back(now() - start);

        // The engine's own reader, which init uses, on the same files.
        start = now();
        for (const std::string& file : files) {
            unsigned short width = 0, height = 0;
            delete[] Image::loadPNG(file.c_str(), &width, &height);
        }
        readerTimes.push_back(now() - start);

        // The same files as textures: read, uploaded, pixels dropped.
        start = now();
        {
            std::vector<Texture> textures(files.size());
            for (std::size_t i = 0; i < files.size(); ++i) {
                textures[i].load(files[i].c_str());
                textures[i].loadToGPU();
                textures[i].deletePixels();
            }
            for (Texture& texture : textures)
                texture.unloadFromGPU();
        }
        textureTimes.push_back(now() - start);

        start = now();
        {
            Sarn2017 game;
            if (!game.init())
                return 1;
        }
        initTimes.push_back(now() - start);
    }
    double decodeTime = median(decodeTimes), readerTime = median(readerTimes);
    double textureTime = median(textureTimes), initTime = median(initTimes);
    std::fprintf(stderr, "%u PNG files, %.1f MB of pixels; median of %u runs:\n",
                 unsigned(files.size()), double(bytes) / 1e6, unsigned(initTimes.size()));
    std::fprintf(stderr, "  plain libpng decode        %8.2f ms\n", decodeTime * 1e3);
    std::fprintf(stderr, "  Image::loadPNG             %8.2f ms (ratio %.2f)\n", readerTime * 1e3,
                 readerTime / decodeTime);
    std::fprintf(stderr, "  Texture load + upload      %8.2f ms (ratio %.2f)\n", textureTime * 1e3,
                 textureTime / decodeTime);
    std::fprintf(stderr, "  Sarn2017 construct + init  %8.2f ms (ratio %.2f)\n", initTime * 1e3,
                 initTime / decodeTime);
    return 0;
}
