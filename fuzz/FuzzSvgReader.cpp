// libFuzzer: the SVG reader, and the writer on whatever it accepts.
#include "host/svg/SvgFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::SvgLoadResult loaded =
        host::loadSvgText("fuzz.svg", std::string(reinterpret_cast<const char*>(data), size));
    if (loaded.document) {
        std::string out, message;
        host::writeSvgText(*loaded.document, out, message);
    }
    return 0;
}
