// Writes a Document as SVG 1.1: layers as marked top-level groups (the last layer first,
// since SVG paints in document order), art as SVG elements, and what SVG cannot say in
// attributes of the project's namespace. Internal to the SVG folder; SvgFile.h is the
// public entry.
#pragma once

#include "host/document/Document.h"
#include "host/svg/LinkRebase.h"
#include "host/svg/XmlWriter.h"

#include <initializer_list>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace host::svg {

class SvgWriter {
public:
    explicit SvgWriter(const Document& doc);

    /// False when the model holds something that cannot be written (a coordinate that is
    /// not finite); error() then says what, and out is incomplete.
    bool write(std::string& out);
    const std::string& error() const { return error_; }
    /// Relative image links are written as seen from another folder.
    void rebaseLinks(LinkRebase rebase) { rebase_ = std::move(rebase); }

private:
    void assignIds();
    std::string freshId(const char* prefix);
    /// The element id of art: its name when that is a valid id nothing else uses, a made-up
    /// one for a frame path without such a name, or none.
    const std::string* idOf(const Art& a) const;
    void writeRoot();
    void writeSymbols();
    void writeTree(const Art& top);
    bool openContainer(const Art& art);
    void writeLeaf(const Art& art);
    void writeCommon(const Art& art, bool leaf);
    void writeHead();
    void writeTagElements(const Art& art, bool leaf);
    bool hasTagElements(const Art& art, bool leaf) const;
    void writePathElement(const Art& art, const char* role);
    void writeCompound(const Art& art);
    void writeImage(const Art& art);
    void writeSymbolInstance(const Art& art);
    void writeText(const Art& art);
    void writeRuns(const TextData& t, const KeptContent* kept);
    // Clones (SvgWriteClone.cpp).
    /// Writes a group read from a <use> as that <use>; false, writing nothing, when its copy
    /// no longer draws as the original moved.
    bool writeClone(const Art& art);
    /// Document coordinates to those the children of container are written in.
    HostRealMatrix writtenSpace(const Art* container) const;
    /// The art in a layer with that name, if any.
    const Art* namedArt(const std::string& name);
    /// model: the art's own style, s the one written (in a kept space, scaled to it).
    void writeStyle(const PathStyle& s, const KeptContent* kept, const PathStyle& model);
    void writePaint(std::string_view attr, std::string_view cvLocal, bool on, const HostColor& c,
                    bool svgDefaultOn, const KeptPaint* kept = nullptr);
    /// A style property: into the style attribute where a style sheet could override
    /// presentation attributes, as an attribute otherwise.
    void property(std::string_view name, std::string_view value);
    /// Ends the start tag, writing the gathered style attribute first.
    void endStart(bool hasContent);
    /// Ends the art's start tag and, when it has kept children or tags,
    /// writes them and closes the element.
    void finishElement(const Art& art, const char* element, bool leaf);
    // Kept content and user spaces (SvgWriteKept.cpp).
    void writeKeptAttributes(const Art& art);
    /// The editor's parameters of a shape as the path is now written: false when they no
    /// longer describe it, else changed holds the values that moved with it.
    bool followShape(const Art& art,
                     std::vector<std::pair<std::string, std::string>>& changed) const;
    /// Writes the kept child elements; false when there are none.
    bool writeKeptChildren(const Art& art);
    bool hasContent(const Art& art, bool leaf) const;
    /// Enters art's kept user space, if it has one, and writes its transform unless the
    /// element writes its own (spaceTransform_); false if it has none.
    bool enterSpace(const Art& art, bool writeTransform = true);
    /// Places an image or <use> whose own matrix (in its kept user space, as SVG writes
    /// it) is local: by x and y where that is a move, so that the definitions the element
    /// refers to keep their space, by one transform otherwise. y is the element's y in
    /// its own matrix.
    void placement(const HostRealMatrix& local, double y, bool byPosition = true);
    void leaveSpace();
    PathData mapped(const PathData& p) const;
    HostRealMatrix mapped(const HostRealMatrix& m) const;
    void writeCorners(const std::vector<const PathData*>& paths);
    void writeMatrixAttr(std::string_view name, const HostRealMatrix& m);
    /// "matrix(a b c d tx ty')" with ty' = flip - ty, ty in document units.
    std::string svgMatrix(double a, double b, double c, double d, double tx, double ty);
    std::string number(double v);
    std::string numbers(std::initializer_list<double> v);

    const Document& doc_;
    std::string text_;
    XmlWriter xml_{text_};
    const Art* current_ = nullptr; // for error messages
    double flip_ = 0;
    std::unordered_map<std::string_view, int> nameCounts_;
    std::unordered_map<const Art*, std::string> frameIds_;
    std::unordered_map<std::uint64_t, std::string> symbolIds_;
    std::unordered_map<std::string_view, const Art*> named_; // built for the first clone
    bool namedBuilt_ = false;
    std::unordered_set<std::string> generated_;
    unsigned next_ = 1;
    std::string style_;          // the style attribute of the element being written
    bool explicitStyle_ = false; // the document keeps a style sheet
    bool inStyle_ = false;       // properties go to style_
    // Document coordinates to those the plain writers expect, inside a kept user space.
    HostRealMatrix map_{1, 0, 0, 1, 0, 0};
    bool mapped_ = false;
    std::vector<std::pair<HostRealMatrix, bool>> spaces_;
    HostRealMatrix spaceTransform_{1, 0, 0, 1, 0, 0};
    std::string error_;
    LinkRebase rebase_;
};

} // namespace host::svg
