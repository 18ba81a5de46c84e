#include "CellMap.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace benchmap {
namespace {

constexpr double kCell = 4.0; // points

// A fixed scatter of the grid's vertices, so that the cells are not all alike.
double Jitter(std::uint64_t i, std::uint64_t j, int axis) {
    std::uint64_t x = (i * 0x9e3779b97f4a7c15ull) ^ (j * 0xc2b2ae3d27d4eb4full) ^
                      (static_cast<std::uint64_t>(axis) << 61);
    x ^= x >> 31;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 29;
    return (static_cast<double>(x % 1000) / 1000.0 - 0.5) * kCell * 0.4;
}

void Point(std::string& out, char command, double x, double y) {
    char text[48];
    std::snprintf(text, sizeof text, "%c%.3f %.3f", command, x, y);
    out += text;
}

} // namespace

std::string CellMapSvg(const CellMapOptions& options) {
    const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(options.cells)));
    const std::size_t rows = columns == 0 ? 0 : (options.cells + columns - 1) / columns;
    const auto vertex = [&](std::size_t i, std::size_t j, int axis) {
        const bool border = i == 0 || j == 0 || i == columns || j == rows;
        const double base = static_cast<double>(axis == 0 ? i : j) * kCell;
        return border ? base : base + Jitter(i, j, axis);
    };
    // Each cell: its four corners and a vertex in the middle of its top and bottom
    // sides, shared with the cells above and below.
    const auto middle = [&](std::size_t i, std::size_t j, int axis) {
        const double a = vertex(i, j, axis), b = vertex(i + 1, j, axis);
        return axis == 0 ? (a + b) / 2 : (a + b) / 2 + (j == 0 || j == rows ? 0 : kCell * 0.1);
    };
    const double width = static_cast<double>(columns) * kCell;
    const double height = static_cast<double>(rows) * kCell;
    std::string svg;
    svg.reserve(options.cells * 170 + 512);
    char head[256];
    std::snprintf(head, sizeof head,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
                  "xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0fpt\" height=\"%.0fpt\" "
                  "viewBox=\"0 0 %.0f %.0f\">\n<g id=\"cells\">\n",
                  width, height, width, height);
    svg += head;
    std::size_t made = 0;
    for (std::size_t j = 0; j < rows && made < options.cells; ++j) {
        for (std::size_t i = 0; i < columns && made < options.cells; ++i, ++made) {
            char open[96];
            std::snprintf(open, sizeof open,
                          "<path id=\"c%zu\" fill=\"#dddddd\" stroke=\"#000\" "
                          "stroke-width=\"0.25\" d=\"",
                          made);
            svg += open;
            Point(svg, 'M', vertex(i, j, 0), vertex(i, j, 1));
            Point(svg, 'L', middle(i, j, 0), middle(i, j, 1));
            Point(svg, 'L', vertex(i + 1, j, 0), vertex(i + 1, j, 1));
            Point(svg, 'L', vertex(i + 1, j + 1, 0), vertex(i + 1, j + 1, 1));
            Point(svg, 'L', middle(i, j + 1, 0), middle(i, j + 1, 1));
            Point(svg, 'L', vertex(i, j + 1, 0), vertex(i, j + 1, 1));
            svg += "Z\"/>\n";
        }
    }
    if (options.farOutlier) {
        const double x = width * 200, y = height * 200;
        svg += "<path id=\"outlier\" fill=\"#dddddd\" d=\"";
        Point(svg, 'M', x, y);
        Point(svg, 'L', x + kCell, y);
        Point(svg, 'L', x + kCell, y + kCell);
        Point(svg, 'L', x, y + kCell);
        svg += "Z\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace benchmap
