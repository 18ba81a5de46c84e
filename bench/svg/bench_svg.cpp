// Reading and writing a large real map, beside the floor of a plain XML parse and write of
// the same file: time (median of several runs) and peak heap use of each. Both sides are
// measured alike: one untimed run first, so that neither pays the cold start, and writes
// into a buffer reserved to the output's size, or into a file.
//
//   bench_svg [FILE.svg] [RUNS]
#include "host/svg/SvgFile.h"

#include "HeapCounter.h"

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <vector>

namespace {

struct Figures {
    double seconds = 0;
    std::size_t peakBytes = 0;
};

Figures measure(int runs, const std::function<void()>& work) {
    work(); // warm start: page cache, allocator arenas, code
    std::vector<double> times;
    std::size_t peak = 0;
    for (int i = 0; i < runs; ++i) {
        const std::size_t base = benchheap::Live();
        benchheap::ResetPeak();
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(t1 - t0).count());
        peak = std::max(peak, benchheap::Peak() - base);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], peak};
}

void report(const char* what, const Figures& f, const Figures* floor, std::uintmax_t fileSize) {
    std::printf("%-34s %9.2f ms %9.2f MB  (%.1fx file)", what, f.seconds * 1e3,
                f.peakBytes / 1048576.0, static_cast<double>(f.peakBytes) / fileSize);
    if (floor) std::printf("  %.2fx floor time", f.seconds / floor->seconds);
    std::printf("\n");
}

struct StringWriter : pugi::xml_writer {
    explicit StringWriter(std::size_t capacity) { out.reserve(capacity); }
    std::string out;
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path file = argc > 1 ? argv[1] : CARTOVEL_BENCH_MAP;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    pugi::set_memory_management_functions(benchheap::Allocate, benchheap::Free);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), ec.message().c_str());
        return 1;
    }
    const auto out = std::filesystem::temp_directory_path() / "cartovel-bench-out.svg";
    std::printf("%s: %.2f MB, median of %d runs\n\n", file.c_str(), size / 1048576.0, runs);

    const Figures floorRead = measure(runs, [&] {
        pugi::xml_document doc;
        if (!doc.load_file(file.c_str())) std::abort();
    });
    pugi::xml_document xml;
    xml.load_file(file.c_str());
    // Twice the input holds either side's output.
    const std::size_t outputCapacity = 2 * static_cast<std::size_t>(size);
    const Figures floorWrite = measure(runs, [&] {
        StringWriter w(outputCapacity);
        xml.save(w, "", pugi::format_raw);
    });
    const Figures floorWriteFile = measure(runs, [&] { xml.save_file(out.c_str()); });
    xml.reset();

    const Figures read = measure(runs, [&] {
        host::SvgLoadResult r = host::loadSvgFile(file);
        if (!r.document) {
            std::fprintf(stderr, "%s\n", r.message.c_str());
            std::abort();
        }
    });
    host::SvgLoadResult loaded = host::loadSvgFile(file);
    std::string message;
    const Figures write = measure(runs, [&] {
        std::string text;
        text.reserve(outputCapacity);
        if (host::writeSvgText(*loaded.document, text, message)) std::abort();
    });
    const Figures save = measure(runs, [&] {
        if (host::saveSvgFile(*loaded.document, out, message)) std::abort();
    });
    std::filesystem::remove(out, ec);

    report("floor: XML parse (file)", floorRead, nullptr, size);
    report("floor: XML write (to memory)", floorWrite, nullptr, size);
    report("floor: XML write (file)", floorWriteFile, nullptr, size);
    report("read SVG into a document", read, &floorRead, size);
    report("write document as SVG (memory)", write, &floorWrite, size);
    report("save document (atomic, synced)", save, &floorWriteFile, size);
    const double total = (read.seconds + write.seconds) / (floorRead.seconds + floorWrite.seconds);
    std::printf("\nread + write: %.2fx the floor's time\n", total);
    return 0;
}
