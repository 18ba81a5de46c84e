// Styling of SVG elements: the properties the document model uses, computed from
// presentation attributes, simple <style> rules (element, .class, #id and their
// compounds) and style attributes, in that order of precedence. A value that does not
// parse leaves the property as it was.
#pragma once

#include "host/svg/SvgColour.h"
#include "host/svg/SvgNumbers.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host::svg {

struct ComputedStyle {
    // Inherited.
    Paint fill{Paint::Colour, {kHostThreeColor, 0, 0, 0, 0, 0, 0, 0, 0}, false, {}};
    Paint stroke{};
    HostColor color{kHostThreeColor, 0, 0, 0, 0, 0, 0, 0, 0};
    double strokeWidth = 1.0;
    std::vector<double> dash;
    double dashOffset = 0.0;
    int cap = 0;
    int join = 0;
    double miterLimit = 4.0;
    bool evenOdd = false;
    std::string fillOpacity;   // as written; empty when not given
    std::string strokeOpacity; // as written; empty when not given
    double fontSize = 16.0;
    std::string fontFamily;
    int justification = 0;
    bool vertical = false;
    bool visibilityHidden = false;
    // Not inherited.
    std::string opacity; // as written
    bool displayNone = false;

    /// The style a child starts from.
    ComputedStyle inherited() const;
};

/// Reads "name: value; ..." and calls f(name, value) for each declaration.
template <typename F> void forEachDeclaration(std::string_view text, F&& f);

/// Applies one property (name as in SVG) from a presentation attribute or declaration.
/// Unknown names and unparsable values change nothing; "inherit" takes parent's value.
void applyProperty(ComputedStyle& style, const ComputedStyle& parent, std::string_view name,
                   std::string_view value);
bool isPresentationAttribute(std::string_view name);

/// A length in user units: px, pt, pc, mm, cm, in, em (of fontSize) or none.
bool parseLength(std::string_view s, double fontSize, double& value);

class StyleSheet {
public:
    void parse(std::string_view css);
    bool empty() const { return rules_.empty(); }
    /// The declarations of the rules that match, lowest precedence first.
    void match(std::string_view element, std::string_view id, std::string_view classes,
               std::vector<std::pair<std::string_view, std::string_view>>& out) const;

private:
    struct Rule {
        std::string element; // empty: any
        std::string id;
        std::vector<std::string> classes;
        int specificity = 0;
        std::size_t order = 0;
        std::vector<std::pair<std::string, std::string>> declarations;
    };
    void addRule(std::string_view selector, std::string_view body);

    std::vector<Rule> rules_;
    std::unordered_map<std::string, std::vector<std::size_t>> byId_, byClass_, byElement_;
    std::vector<std::size_t> universal_;
};

template <typename F> void forEachDeclaration(std::string_view text, F&& f) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A ';' inside quotes belongs to the value (font names).
        std::size_t end = pos;
        char quote = 0;
        for (; end < text.size(); ++end) {
            const char c = text[end];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == ';') {
                break;
            }
        }
        const std::string_view decl = text.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t colon = decl.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = trim(decl.substr(0, colon));
        std::string_view value = trim(decl.substr(colon + 1));
        if (const std::size_t bang = value.find("!important"); bang != std::string_view::npos)
            value = trim(value.substr(0, bang));
        if (!name.empty()) f(name, value);
    }
}

} // namespace host::svg
