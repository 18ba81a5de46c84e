// libFuzzer: the layer list file readers in each encoding (the first byte picks it) and
// the parse of each line, against the stand-in host's string suite.
#include "common/MvFile.h"
#include "frame/HostSuites.h"
#include "host/core/Application.h"
#include "hostapi/suites/UnicodeStringSuite.h"
#include "layertools/LayerListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

host::Application& Host() {
    static host::Application* app = [] {
        auto* made = new host::Application();
        const void* table = nullptr;
        if (made->suites().acquire(kHostUnicodeStringSuite, kHostUnicodeStringSuiteVersion,
                                   &table) == kHostNoErr)
            sUnicodeString = static_cast<const HostUnicodeStringSuite*>(table);
        return made;
    }();
    return *app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Host();
    if (size == 0) return 0;
    constexpr std::int32_t kEncodings[] = {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16};
    const std::int32_t encoding = kEncodings[data[0] % 3];
    std::FILE* stream = ::fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
    if (stream == nullptr) return 0;
    {
        std::unique_ptr<CMvTextFileReaderBase> reader;
        if (encoding == kEncodingUTF16)
            reader = std::make_unique<CMvTextFileReaderW>(stream, encoding);
        else
            reader = std::make_unique<CMvTextFileReaderA>(stream, encoding);
        ai::UnicodeString line;
        while (reader->ReadLine(line)) {
            ListLine parsed;
            ParseListLine(line.get(), parsed);
        }
    }
    std::fclose(stream);
    return 0;
}
