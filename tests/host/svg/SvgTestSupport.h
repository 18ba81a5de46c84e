// Shared helpers of the SVG tests: test data, temporary folders, loading and round trips,
// and a document that holds every kind of thing the model can hold.
#pragma once

#include "host/document/Document.h"
#include "host/svg/SvgFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace svgtest {

std::filesystem::path dataPath(std::string_view name);
using cartotest::readFile;
using cartotest::writeFile;

/// A fresh folder, removed with everything in it at the end of the test.
using TempDir = cartotest::TempFolder;

/// Loads SVG text; a failure is reported to the test and gives null.
std::unique_ptr<host::Document> load(std::string_view svg);
/// Writes the document as SVG text and reads it back; text receives the SVG.
std::unique_ptr<host::Document> roundTrip(const host::Document& doc, std::string* text = nullptr);
/// A document with every kind of art, style, text and flag the model holds.
std::unique_ptr<host::Document> everythingDocument();

/// The art on the layer titled title whose name is name, or null.
host::Art* findArt(const host::Document& doc, std::string_view name);

} // namespace svgtest
