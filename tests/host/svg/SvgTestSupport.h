// Shared helpers of the SVG tests: test data, temporary folders, loading and round trips,
// and a document that holds every kind of thing the model can hold.
#pragma once

#include "host/document/Document.h"
#include "host/svg/SvgFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace svgtest {

std::filesystem::path dataPath(std::string_view name);
std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, std::string_view text);

/// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Loads SVG text; a failure is reported to the test and gives null.
std::unique_ptr<host::Document> load(std::string_view svg);
/// Writes the document as SVG text and reads it back; text receives the SVG.
std::unique_ptr<host::Document> roundTrip(const host::Document& doc, std::string* text = nullptr);
/// A document with every kind of art, style, text and flag the model holds.
std::unique_ptr<host::Document> everythingDocument();

/// The art on the layer titled title whose name is name, or null.
host::Art* findArt(const host::Document& doc, std::string_view name);

} // namespace svgtest
