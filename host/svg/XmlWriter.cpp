#include "host/svg/XmlWriter.h"

#include "host/core/TextEncoding.h"

namespace host::svg {

namespace {

bool isPlain(unsigned char c) {
    return c >= 0x20 && c < 0x7f && c != '&' && c != '<' && c != '>' && c != '"';
}

} // namespace

void XmlWriter::start(std::string_view name) {
    out_ += '<';
    out_ += name;
}

void XmlWriter::attr(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    escaped(value, true);
    out_ += '"';
}

void XmlWriter::attrRaw(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += value;
    out_ += '"';
}

void XmlWriter::attrStart(std::string_view name) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
}

void XmlWriter::endStart(bool hasContent) {
    out_ += hasContent ? ">" : "/>";
}

void XmlWriter::end(std::string_view name) {
    out_ += "</";
    out_ += name;
    out_ += '>';
}

void XmlWriter::text(std::string_view s) {
    escaped(s, false);
}

void XmlWriter::escaped(std::string_view s, bool attribute) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    for (std::size_t i = 0; i < s.size();) {
        // Runs of plain printable ASCII, nearly all of any value, go out in one piece.
        std::size_t run = i;
        while (run < s.size() && isPlain(static_cast<unsigned char>(s[run])))
            ++run;
        if (run > i) {
            out_.append(s.data() + i, run - i);
            i = run;
            continue;
        }
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            switch (c) {
            case '&':
                out_ += "&amp;";
                break;
            case '<':
                out_ += "&lt;";
                break;
            case '>':
                out_ += "&gt;";
                break;
            case '"':
                out_ += attribute ? "&quot;" : "\"";
                break;
            // Attribute values lose raw line ends and tabs to normalisation.
            case '\t':
                out_ += attribute ? "&#9;" : "\t";
                break;
            case '\n':
                out_ += attribute ? "&#10;" : "\n";
                break;
            case '\r':
                out_ += "&#13;";
                break;
            default:
                if (c >= 0x20 && c != 0x7f) out_ += static_cast<char>(c);
                break;
            }
            ++i;
            continue;
        }
        // Ill-formed UTF-8 and the two non-characters U+FFFE/U+FFFF are not allowed in XML.
        std::size_t next = i;
        const auto cp = decodeUtf8At(s, next);
        if (cp && *cp != 0xFFFE && *cp != 0xFFFF) {
            out_.append(s.substr(i, next - i));
            i = next;
        } else {
            out_ += kReplacement;
            ++i;
        }
    }
}

} // namespace host::svg
