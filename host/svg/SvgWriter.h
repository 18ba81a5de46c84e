// Writes a Document as SVG 1.1: layers as marked top-level groups (the last layer first,
// since SVG paints in document order), art as SVG elements, and what SVG cannot say in
// attributes of the project's namespace. Internal to the SVG folder; SvgFile.h is the
// public entry.
#pragma once

#include "host/document/Document.h"
#include "host/svg/XmlWriter.h"

#include <initializer_list>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace host::svg {

class SvgWriter {
public:
    explicit SvgWriter(const Document& doc);

    /// False when the model holds something that cannot be written (a coordinate that is
    /// not finite); error() then says what, and out is incomplete.
    bool write(std::string& out);
    const std::string& error() const { return error_; }

private:
    void assignIds();
    std::string freshId(const char* prefix);
    /// The element id of art: its name when that is a valid id nothing else uses, a made-up
    /// one for a frame path without such a name, or none.
    const std::string* idOf(const Art& a) const;
    void writeRoot();
    void writeSymbols();
    void writeTree(const Art& top);
    void openContainer(const Art& art);
    void writeLeaf(const Art& art);
    void writeCommon(const Art& art, bool leaf);
    void writeTagElements(const Art& art, bool leaf);
    bool hasTagElements(const Art& art, bool leaf) const;
    void writePathElement(const Art& art, const char* role);
    void writeCompound(const Art& art);
    void writeImage(const Art& art);
    void writeSymbolInstance(const Art& art);
    void writeText(const Art& art);
    void writeRuns(const TextData& t);
    void writeStyle(const PathStyle& s);
    void writePaint(std::string_view attr, std::string_view cvLocal, bool on, const HostColor& c,
                    bool svgDefaultOn);
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
    std::unordered_set<std::string> generated_;
    unsigned next_ = 1;
    std::string error_;
};

} // namespace host::svg
