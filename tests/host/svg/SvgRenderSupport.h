// Drawing SVG files with rsvg-convert and comparing the pictures pixel by pixel.
#pragma once

#include <filesystem>
#include <vector>

namespace svgtest {

struct Image {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

bool haveRenderer();
/// Draws svg on white into png; false when the renderer fails.
bool render(const std::filesystem::path& svg, const std::filesystem::path& png);
bool readPng(const std::filesystem::path& p, Image& out);
/// The share of pixels whose colour differs by more than a little in some channel
/// (anti-aliasing may shift by a shade where coordinates differ in the last digits).
double differingShare(const Image& a, const Image& b);

} // namespace svgtest
