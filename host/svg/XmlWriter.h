// A small streaming XML writer: elements, escaped attributes and text, appended to a
// string. Strings that are not valid UTF-8, and characters XML 1.0 cannot carry, are
// repaired so that the output always parses.
#pragma once

#include <string>
#include <string_view>

namespace host::svg {

class XmlWriter {
public:
    explicit XmlWriter(std::string& out) : out_(out) {}

    void start(std::string_view name);
    void attr(std::string_view name, std::string_view value);
    /// A value known to need no escaping (numbers, keywords).
    void attrRaw(std::string_view name, std::string_view value);
    /// An attribute whose value the caller appends to the output itself, with nothing
    /// that needs escaping.
    void attrStart(std::string_view name);
    void attrEnd() { out_ += '"'; }
    /// Ends the start tag: ">" when content follows, "/>" otherwise.
    void endStart(bool hasContent);
    void end(std::string_view name);
    void text(std::string_view s);
    void newline() { out_ += '\n'; }

private:
    void escaped(std::string_view s, bool attribute);

    std::string& out_;
};

} // namespace host::svg
