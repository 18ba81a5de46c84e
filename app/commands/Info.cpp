// cartovel info FILE.svg: the document's layer tree and art counts.
#include "commands/Common.h"

#include "host/core/Errors.h"
#include "host/svg/SvgFile.h"

#include <map>
#include <ostream>
#include <string_view>

namespace cartovel {

int printDocumentInfo(CliContext& context, const std::string& file);

void addInfoCommand(CLI::App& cli, CliContext& context) {
    auto file = std::make_shared<std::string>();
    CLI::App* command = cli.add_subcommand("info", "Print a document's layer tree and art counts");
    command->add_option("FILE", *file, "The document (SVG)")->required()->check(CLI::ExistingFile);
    command->callback([&context, file] {
        context.action = [&context, file] { return printDocumentInfo(context, *file); };
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

} // namespace

int printDocumentInfo(CliContext& context, const std::string& file) {
    host::SvgLoadResult loaded = host::loadSvgFile(file);
    for (const std::string& warning : loaded.warnings)
        context.err << "cartovel: warning: " << warning << '\n';
    if (!loaded.document) {
        const HostErr code = loaded.error != kHostNoErr ? loaded.error : kHostErrFile;
        context.err << "cartovel: " << host::codeText(code) << ": " << loaded.message << '\n';
        return kExitError;
    }
    const host::Document& doc = *loaded.document;
    std::size_t layers = 0;
    std::size_t totalArt = 0;
    for (const host::Layer* layer : doc.allLayers()) {
        ++layers;
        std::size_t items = 0;
        for (const host::Art* a = layer->group()->firstChild(); a != nullptr; a = a->nextSibling())
            if (!a->isLayerGroup()) ++items;
        // Everything inside, sublayers' art included; the layer groups are the tree itself.
        std::map<std::string_view, std::size_t> byType;
        std::size_t inside = 0;
        for (const host::Art* a : doc.layerArt(*layer)) {
            if (a->isLayerGroup()) continue;
            ++inside;
            ++byType[typeName(a->type())];
        }
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
