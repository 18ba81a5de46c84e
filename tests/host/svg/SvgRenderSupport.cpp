#include "SvgRenderSupport.h"

#include "support/ProgramRun.h"

#include <png.h>

#include <string>

namespace svgtest {

namespace {

constexpr const char* kRenderer = "rsvg-convert";

} // namespace

bool readPng(const std::filesystem::path& p, Image& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, p.c_str())) return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = image.width;
    out.height = image.height;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

bool render(const std::filesystem::path& svg, const std::filesystem::path& png) {
    const std::string arguments = "-b white -o '" + png.string() + "' '" + svg.string() + "'";
    cartotest::RunOptions quiet;
    quiet.stderrTo = "/dev/null";
    return cartotest::runProgram(kRenderer, arguments, quiet).status == 0;
}

bool haveRenderer() {
    return cartotest::runProgram(kRenderer, "--version").status == 0;
}

double differingShare(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return 1.0;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.rgba.size(); i += 4) {
        for (int c = 0; c < 4; ++c) {
            if (std::abs(a.rgba[i + c] - b.rgba[i + c]) > 24) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / (a.width * a.height);
}

} // namespace svgtest
