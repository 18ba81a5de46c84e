// Reads an SVG file's XML into a Document. Internal to the SVG folder; SvgFile.h is the
// public entry.
#pragma once

#include "host/document/Document.h"
#include "host/svg/SvgPathData.h"
#include "host/svg/SvgStyle.h"

#include <pugixml.hpp>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::svg {

struct ReadProblem {
    std::size_t offset = 0; // byte offset into the file
    std::string message;
};

/// Elements the reader draws: containers, shapes, images, <use> and <text>.
bool isDrawable(std::string_view localName);
bool isContainerElement(std::string_view localName);
bool isShapeElement(std::string_view localName);

class SvgReader {
public:
    /// buffer holds the whole file; it is parsed in place and must outlive the reader.
    SvgReader(char* buffer, std::size_t size);
    ~SvgReader();

    /// The document, or null with error() set.
    std::unique_ptr<Document> read();
    const ReadProblem& error() const { return error_; }
    /// Linked images are looked up relative to this folder for their pixel size; without
    /// it only embedded images are.
    void setImageFolder(std::filesystem::path folder) { imageFolder_ = std::move(folder); }
    const std::vector<ReadProblem>& warnings() const { return warnings_; }

private:
    struct Context {
        ComputedStyle style;
        HostRealMatrix ctm;     // user space of the element's children to the document
        Art* parent = nullptr;  // receives the children
        Layer* layer = nullptr; // the layer whose group parent is, if any
        int useDepth = 0;
    };
    struct Frame {
        pugi::xml_node next;
        bool single = false; // a <use>'s referenced element: no siblings
        Context ctx;
    };
    struct Names {
        std::string svgPrefix; // "" or "svg:"
        std::string xlinkHref, groupmode, label, insensitive, cvPrefix;
        std::string namedview, currentLayer; // the open-source editor's view settings
        std::string cv(std::string_view local) const { return cvPrefix + std::string(local); }
    };

    bool parseXml();
    void resolveNames();
    void prepass();
    void readPage();
    void readSymbols();
    void readNamedViewLayer();
    void keepEditorShape(pugi::xml_node node, Art& art, const HostRealMatrix& space);
    void readLayers();
    /// Clones: the elements <use> draws (other than symbols), noted while they are read in
    /// place, and each clone linked to its original once all is read (SvgReadClones.cpp).
    void findCloneOriginals(const std::vector<pugi::xml_node>& uses);
    void noteCloneOriginal(pugi::xml_node node, const HostRealMatrix& parentCtm);
    void noteCloneOriginal(pugi::xml_node node, Art& art);
    void keepClone(pugi::xml_node use, pugi::xml_node ref, Art& group, const HostRealMatrix& ctm,
                   const HostRealMatrix& parentCtm);
    void linkClones();
    Layer* openLayer(pugi::xml_node node, Layer* parent, const ComputedStyle& style,
                     const HostRealMatrix& ctm);
    void readChildren(pugi::xml_node first, bool single, const Context& ctx);
    void readElement(pugi::xml_node node, const Context& parent);
    void readContainer(pugi::xml_node node, std::string_view name, const Context& parent,
                       const ComputedStyle& style, const HostRealMatrix& ctm);
    Art* readShape(pugi::xml_node node, std::string_view name, const ComputedStyle& style,
                   const HostRealMatrix& ctm);
    Art* readImage(pugi::xml_node node, const ComputedStyle& style, const HostRealMatrix& ctm);
    void readUse(pugi::xml_node node, const Context& parent, const ComputedStyle& style,
                 const HostRealMatrix& ctm);
    Art* readText(pugi::xml_node node, const Context& parent, const ComputedStyle& style,
                  const HostRealMatrix& ctm);
    CharFeatures charFeatures(pugi::xml_node node, const ComputedStyle& style,
                              const CharFeatures& parent);
    Art* readFramePath(pugi::xml_node ref, const Context& parent, const HostRealMatrix& ctm);

    // Helpers shared by the element readers.
    std::string_view localName(pugi::xml_node node) const;
    bool isSvgElement(pugi::xml_node node) const;
    bool isLayerGroup(pugi::xml_node node) const;
    ComputedStyle computeStyle(pugi::xml_node node, const ComputedStyle& parent);
    bool elementTransform(pugi::xml_node node, const HostRealMatrix& parentCtm,
                          HostRealMatrix& ctm);
    bool length(pugi::xml_node node, const char* attr, double fontSize, double percentOf,
                double& value);
    PathStyle pathStyle(pugi::xml_node node, const ComputedStyle& style);
    bool resolvePaint(const Paint& paint, const HostColor& currentColour, HostColor& colour);
    bool toDocument(pugi::xml_node node, Outline& outline, const HostRealMatrix& ctm);
    bool checkMatrix(pugi::xml_node node, const HostRealMatrix& m);
    pugi::xml_node referenced(pugi::xml_node node) const;
    pugi::xml_node byId(std::string_view ref) const;
    void finishArt(pugi::xml_node node, Art& art, const ComputedStyle& style, bool leaf,
                   const HostRealMatrix& space);
    std::string artName(pugi::xml_node node);

    // What the model does not represent (SvgReadKept.cpp).
    void appendXml(pugi::xml_node node, std::string& out) const;
    bool isModelAttribute(std::string_view element, std::string_view attr) const;
    bool isKeptChild(pugi::xml_node parent, pugi::xml_node child,
                     std::string_view parentName) const;
    KeptContent& keptOf(Art& art);
    void keep(pugi::xml_node node, Art& art, const HostRealMatrix& space, bool stroked);
    void keepPaint(const Paint& paint, bool on, const HostColor& colour, KeptPaint& out);
    void keepDocument();
    void link(Art& parent, Art& art);
    void readTags(pugi::xml_node node, Art& art);
    std::string layerTitle(pugi::xml_node node);
    bool isCv(pugi::xml_node node, std::string_view local) const;
    const char* cvAttr(pugi::xml_node node, std::string_view local) const;

    bool fail(std::size_t offset, std::string message);
    bool fail(pugi::xml_node node, std::string message);
    bool failAt(pugi::xml_attribute attr, std::size_t within, std::string message);
    void warn(pugi::xml_node node, std::string message);
    void warnAt(pugi::xml_node node, pugi::xml_attribute attr, std::size_t within,
                std::string message);
    /// Warns and gives false: the element is left out, the file still opens.
    bool skip(pugi::xml_node node, std::string message);
    std::size_t offsetOf(pugi::xml_node node) const;
    std::size_t offsetOf(pugi::xml_attribute attr) const;
    bool refersById(pugi::xml_attribute attr) const;
    void release(pugi::xml_node node);

    char* buffer_;
    std::size_t size_;
    pugi::xml_document xml_;
    std::unique_ptr<Document> doc_;
    Names names_;
    StyleSheet sheet_;
    std::unordered_map<std::string_view, pugi::xml_node> ids_;
    std::vector<pugi::xml_node> symbolNodes_;
    struct CloneOriginal {
        HostRealMatrix parentCtm{1, 0, 0, 1, 0, 0}; // of the element read in place
        Art* art = nullptr;
    };
    std::unordered_map<const void*, CloneOriginal> cloneOriginals_; // by element
    std::vector<std::pair<Art*, const void*>> clones_;              // group, original element
    std::unordered_map<const void*, Symbol*> symbols_;
    std::vector<std::pair<std::string_view, std::string_view>> matched_;
    Outline outline_;
    SharedPathStyle lastPaint_; // paths in a row with the same paint share it
    ComputedStyle rootStyle_;
    HostRealMatrix rootCtm_{};
    std::size_t expanded_ = 0;
    int useDepth_ = 0;         // of the element being read
    std::uint64_t copies_ = 0; // ids made for copies drawn through <use>
    KeptPaint pendingFill_, pendingStroke_;
    bool currentMarked_ = false;
    // Where nothing in the file refers to an element by id, an element read in a layer
    // is taken out of the XML tree, which then shrinks as the model grows.
    bool referencesById_ = false;
    bool releasing_ = false;
    bool failed_ = false;
    ReadProblem error_;
    std::vector<ReadProblem> warnings_;
    std::optional<std::filesystem::path> imageFolder_;
    std::deque<Frame> stack_;
    mutable pugi::xml_node cvCacheNode_;
    mutable std::vector<std::pair<std::string_view, const char*>> cvCache_;
};

} // namespace host::svg
