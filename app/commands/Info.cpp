// cartovel info FILE.svg: the document's layer tree and art counts.
#include "commands/Common.h"

#include "host/core/Errors.h"
#include "host/svg/SvgFile.h"

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

namespace cartovel {

int printDocumentInfo(CliContext& context, const std::string& file, bool json);

void addInfoCommand(CLI::App& cli, CliContext& context) {
    auto file = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    CLI::App* command = cli.add_subcommand("info", "Print a document's layer tree and art counts");
    command->add_option("FILE", *file, "The document (SVG)")->required()->check(CLI::ExistingFile);
    command->add_flag("--json", *json,
                      "Print the tree as JSON: {\"layers\": [{\"title\", \"visible\", "
                      "\"locked\", \"items\", \"art\", \"types\", \"sublayers\"}], "
                      "\"layerCount\", \"art\"}");
    command->callback([&context, file, json] {
        context.action = [&context, file, json] {
            return printDocumentInfo(context, *file, *json);
        };
    });
}

namespace {

std::string_view typeName(host::ArtType type) {
    switch (type) {
    case host::ArtType::Group:
        return "group";
    case host::ArtType::Path:
        return "path";
    case host::ArtType::CompoundPath:
        return "compound path";
    case host::ArtType::Placed:
        return "placed";
    case host::ArtType::Raster:
        return "raster";
    case host::ArtType::PluginGroup:
        return "plug-in group";
    case host::ArtType::Mesh:
        return "mesh";
    case host::ArtType::TextFrame:
        return "text";
    case host::ArtType::SymbolInstance:
        return "symbol";
    case host::ArtType::Foreign:
        return "foreign";
    case host::ArtType::LegacyText:
        return "legacy text";
    }
    return "unknown";
}

int depthOf(const host::Document& doc, const host::Layer& layer) {
    int depth = 0;
    for (const host::Layer* p = doc.parentLayer(layer); p != nullptr; p = doc.parentLayer(*p))
        ++depth;
    return depth;
}

struct LayerInfo {
    std::size_t items = 0;  // art directly in the layer
    std::size_t inside = 0; // everything inside, sublayers' art included
    std::map<std::string_view, std::size_t> byType;
};

LayerInfo layerInfo(const host::Document& doc, const host::Layer& layer) {
    LayerInfo info;
    for (const host::Art* a = layer.group()->firstChild(); a != nullptr; a = a->nextSibling())
        if (!a->isLayerGroup()) ++info.items;
    // The layer groups are the tree itself, not art.
    for (const host::Art* a : doc.layerArt(layer)) {
        if (a->isLayerGroup()) continue;
        ++info.inside;
        ++info.byType[typeName(a->type())];
    }
    return info;
}

nlohmann::json layerJson(const host::Document& doc, const host::Layer& layer) {
    const LayerInfo info = layerInfo(doc, layer);
    nlohmann::json types = nlohmann::json::object();
    for (const auto& [name, count] : info.byType)
        types[std::string(name)] = count;
    nlohmann::json sublayers = nlohmann::json::array();
    for (const host::Layer* sub = doc.firstSublayer(layer); sub != nullptr;
         sub = doc.nextLayer(*sub))
        sublayers.push_back(layerJson(doc, *sub));
    return {{"title", layer.title},  {"visible", layer.visible}, {"locked", !layer.editable},
            {"items", info.items},   {"art", info.inside},       {"types", types},
            {"sublayers", sublayers}};
}

int printJson(CliContext& context, const host::Document& doc) {
    nlohmann::json layers = nlohmann::json::array();
    std::size_t art = 0;
    for (const host::Layer* layer = doc.firstLayer(); layer != nullptr;
         layer = doc.nextLayer(*layer)) {
        layers.push_back(layerJson(doc, *layer));
        art += layers.back()["art"].get<std::size_t>();
    }
    const nlohmann::json root = {
        {"layers", layers}, {"layerCount", doc.allLayers().size()}, {"art", art}};
    // Layer titles from any file: invalid UTF-8 is replaced, never a reason to fail.
    context.out << root.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return kExitOk;
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
    std::size_t layers = 0;
    std::size_t totalArt = 0;
    for (const host::Layer* layer : doc.allLayers()) {
        ++layers;
        const auto [items, inside, byType] = layerInfo(doc, *layer);
        if (depthOf(doc, *layer) == 0) totalArt += inside;

        context.out << std::string(2 * static_cast<std::size_t>(depthOf(doc, *layer)), ' ')
                    << layer->title << "  [" << (layer->visible ? "visible" : "hidden") << ", "
                    << (layer->editable ? "unlocked" : "locked") << "]  " << items
                    << (items == 1 ? " item" : " items") << ", " << inside << " art";
        if (!byType.empty()) {
            context.out << " (";
            const char* separator = "";
            for (const auto& [name, count] : byType) {
                context.out << separator << name << ' ' << count;
                separator = ", ";
            }
            context.out << ')';
        }
        context.out << '\n';
    }
    context.out << "total: " << layers << (layers == 1 ? " layer, " : " layers, ") << totalArt
                << " art\n";
    return kExitOk;
}

} // namespace cartovel
