#include "host/svg/XmlWriter.h"

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
        const int len = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + len <= s.size();
        char32_t cp = ok ? (c & (0x7F >> len)) : 0;
        for (int k = 1; ok && k < len; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            ok = (cb & 0xC0) == 0x80;
            cp = (cp << 6) | (cb & 0x3F);
        }
        // Overlong forms, surrogates, values past U+10FFFF and the two non-characters
        // U+FFFE/U+FFFF are not allowed in XML.
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= kMin[len] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) &&
             cp != 0xFFFE && cp != 0xFFFF;
        if (ok) {
            out_.append(s.substr(i, len));
            i += len;
        } else {
            out_ += kReplacement;
            ++i;
        }
    }
}

} // namespace host::svg
