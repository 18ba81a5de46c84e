#include "host/core/LenientDecoding.h"

#include "host/core/TextEncoding.h"

#include <cerrno>
#include <iconv.h>

namespace host {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    [[nodiscard]] bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::optional<std::string> shiftJisToUtf8Replacing(std::string_view bytes) {
    Iconv cd("UTF-8", "CP932");
    if (!cd.ok()) return std::nullopt;
    std::string input(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        if (error != EILSEQ && error != EINVAL) return std::nullopt;
        // One replacement per bad character: a lead byte takes its trail byte with it.
        out += kReplacement;
        const auto lead = static_cast<unsigned char>(in[0]);
        const std::size_t skip =
            inLeft >= 2 && isLeadByte(lead) && isTrailByte(static_cast<unsigned char>(in[1])) ? 2
                                                                                              : 1;
        in += skip;
        inLeft -= skip;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string utf8Replacing(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    // Well-formed runs are kept whole; the byte that breaks one is replaced.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t bad = findInvalidUtf8(bytes, i);
        out.append(bytes.substr(i, bad - i));
        if (bad == bytes.size()) break;
        out += kReplacement;
        i = bad;
    }
    return out;
}

} // namespace host
