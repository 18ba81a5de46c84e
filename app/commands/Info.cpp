// cartovel info FILE.svg: the document's layer tree and art counts.
#include "JsonStream.h"
#include "commands/Common.h"
#include "commands/LayerSummary.h"

#include "host/core/Errors.h"
#include "host/svg/SvgFile.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

namespace cartovel {

int printDocumentInfo(CliContext& context, const std::string& file, bool json);

void addInfoCommand(CLI::App& cli, CliContext& context) {
    auto file = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    CLI::App* command = cli.add_subcommand("info", "Print a document's layer tree and art counts");
    command->add_option("FILE", *file, "The document (SVG)")->required();
    command->add_flag(
        "--json", *json,
        "Print it as JSON: \"page\" (width, height in user units; svgWidth, svgHeight as "
        "written), \"viewBox\", \"currentLayer\" (index in pre-order, id, title, depth), "
        "\"layerCount\", \"art\", \"types\" (art by kind) and \"layers\": [{\"id\", "
        "\"title\", \"depth\", \"current\", \"visible\", \"locked\", \"items\" (art "
        "directly in the layer), \"art\" and \"types\" (everything inside it), \"bounds\" "
        "(x, y, width, height in the view box's units; null when empty), \"sublayers\"}]");
    command->callback([&context, file, json] {
        context.action = [&context, file, json] {
            return printDocumentInfo(context, *file, *json);
        };
    });
}

namespace {

// The text view indents a level by two spaces up to here, and writes the depth of anything
// deeper, so that a deep tree does not print a square of spaces.
constexpr std::size_t kMaxTextIndent = 32;

std::optional<std::size_t> currentIndex(const host::Document& doc,
                                        const std::vector<LayerSummary>& layers) {
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (layers[i].layer == doc.currentLayer()) return i;
    return std::nullopt;
}

std::optional<std::string_view> layerId(const host::Layer& layer) {
    const std::string& name = layer.group()->name;
    if (name.empty()) return std::nullopt;
    return name;
}

void writeKinds(JsonStream& json, const std::array<std::size_t, kArtKindCount>& kinds) {
    json.beginObject();
    for (std::size_t k = 0; k < kArtKindCount; ++k)
        if (kinds[k] != 0) json.key(artKindNames()[k]).value(kinds[k]);
    json.endObject();
}

// A rectangle in the file's own user space (the view box's, y down), as x, y, width, height.
void writeBox(JsonStream& json, double x, double y, double width, double height) {
    json.beginObject();
    json.key("x").value(x);
    json.key("y").value(y);
    json.key("width").value(width);
    json.key("height").value(height);
    json.endObject();
}

void writeBounds(JsonStream& json, const host::Document& doc, const host::BoundsBuilder& b) {
    const std::optional<HostRealRect> r = b.result();
    if (!r) {
        json.null();
        return;
    }
    const double flip = doc.page.flipY();
    writeBox(json, r->left, flip - r->top, r->right - r->left, r->top - r->bottom);
}

void writeOptionalText(JsonStream& json, std::optional<std::string_view> text) {
    if (text) {
        json.value(*text);
    } else {
        json.null();
    }
}

void writeLayer(JsonStream& json, const host::Document& doc, const LayerSummary& s) {
    const host::Layer& layer = *s.layer;
    json.beginObject();
    json.key("id");
    writeOptionalText(json, layerId(layer));
    json.key("title").value(layer.title);
    json.key("depth").value(s.depth);
    json.key("current").value(doc.currentLayer() == &layer);
    json.key("visible").value(layer.visible);
    json.key("locked").value(!layer.editable);
    json.key("items").value(s.items);
    json.key("art").value(s.inside);
    json.key("types");
    writeKinds(json, s.kinds);
    json.key("bounds");
    writeBounds(json, doc, s.bounds);
    // The sublayers follow in the list; the array closes when the walk comes back up.
    json.key("sublayers").beginArray();
}

int printJson(CliContext& context, const host::Document& doc) {
    const std::vector<LayerSummary> layers = summariseLayers(doc);
    std::size_t art = 0;
    std::array<std::size_t, kArtKindCount> kinds{};
    for (const LayerSummary& s : layers) {
        if (s.depth != 0) continue;
        art += s.inside;
        for (std::size_t k = 0; k < kArtKindCount; ++k)
            kinds[k] += s.kinds[k];
    }
    const host::Page& page = doc.page;
    JsonStream json(context.out);
    json.beginObject();
    json.key("page").beginObject();
    json.key("width").value(page.width);
    json.key("height").value(page.height);
    json.key("svgWidth");
    writeOptionalText(json, page.widthAttr.empty()
                                ? std::nullopt
                                : std::optional<std::string_view>(page.widthAttr));
    json.key("svgHeight");
    writeOptionalText(json, page.heightAttr.empty()
                                ? std::nullopt
                                : std::optional<std::string_view>(page.heightAttr));
    json.endObject();
    json.key("viewBox");
    if (page.hasViewBox) {
        writeBox(json, page.x, page.y, page.width, page.height);
    } else {
        json.null();
    }
    json.key("currentLayer");
    if (const auto current = currentIndex(doc, layers)) {
        const LayerSummary& s = layers[*current];
        json.beginObject();
        json.key("index").value(*current);
        json.key("id");
        writeOptionalText(json, layerId(*s.layer));
        json.key("title").value(s.layer->title);
        json.key("depth").value(s.depth);
        json.endObject();
    } else {
        json.null();
    }
    json.key("layerCount").value(layers.size());
    json.key("art").value(art);
    json.key("types");
    writeKinds(json, kinds);
    json.key("layers").beginArray();
    std::size_t open = 0; // layers whose sublayers are being written
    for (const LayerSummary& s : layers) {
        for (; open > s.depth; --open) {
            json.endArray();
            json.endObject();
        }
        writeLayer(json, doc, s);
        ++open;
    }
    for (; open > 0; --open) {
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return kExitOk;
}

void printText(CliContext& context, const std::vector<LayerSummary>& layers) {
    std::size_t totalArt = 0;
    for (const LayerSummary& s : layers) {
        if (s.depth == 0) totalArt += s.inside;
        context.out << std::string(2 * std::min(s.depth, kMaxTextIndent), ' ');
        if (s.depth > kMaxTextIndent) context.out << "[depth " << s.depth << "] ";
        const host::Layer& layer = *s.layer;
        context.out << layer.title << "  [" << (layer.visible ? "visible" : "hidden") << ", "
                    << (layer.editable ? "unlocked" : "locked") << "]  " << s.items
                    << (s.items == 1 ? " item" : " items") << ", " << s.inside << " art";
        const char* separator = " (";
        for (std::size_t k = 0; k < kArtKindCount; ++k) {
            if (s.kinds[k] == 0) continue;
            context.out << separator << artKindNames()[k] << ' ' << s.kinds[k];
            separator = ", ";
        }
        if (*separator == ',') context.out << ')';
        context.out << '\n';
    }
    context.out << "total: " << layers.size() << (layers.size() == 1 ? " layer, " : " layers, ")
                << totalArt << " art\n";
}

} // namespace

int printDocumentInfo(CliContext& context, const std::string& file, bool json) {
    host::SvgLoadResult loaded = host::loadSvgFile(file);
    for (const std::string& warning : loaded.warnings)
        context.err << "cartovel: warning: " << warning << '\n';
    if (!loaded.document) {
        const HostErr code = loaded.error != kHostNoErr ? loaded.error : kHostErrFile;
        context.err << "cartovel: " << host::codeText(code) << ": " << loaded.message << '\n';
        return kExitError;
    }
    const host::Document& doc = *loaded.document;
    if (json) return printJson(context, doc);
    printText(context, summariseLayers(doc));
    return kExitOk;
}

} // namespace cartovel
