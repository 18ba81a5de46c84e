#include "ColouringHarness.h"

#include "host/svg/SvgFile.h"

#include <stdexcept>

namespace colouring {

void ColouringTest::SetUp() {
    ModuleHostTest::SetUp();
    if (!HasFatalFailure()) StartModule();
}

void ColouringTest::Open(const std::string& svg) {
    host::SvgLoadResult loaded = host::loadSvgText("test.svg", svg);
    ASSERT_TRUE(loaded.document) << loaded.message;
    OpenSession(std::move(loaded.document));
}

void ColouringTest::OpenFile(const std::string& path) {
    host::SvgLoadResult loaded = host::loadSvgFile(path);
    ASSERT_TRUE(loaded.document) << loaded.message;
    OpenSession(std::move(loaded.document));
}

HostErr ColouringTest::Colour(std::vector<host::Answer> answers) {
    Answers(std::move(answers));
    return ChooseMenu(kMenuText);
}

host::Art& ColouringTest::Named(const std::string& name) const {
    for (host::Layer* layer : doc().allLayers())
        for (host::Art* art : doc().layerArt(*layer))
            if (art->name == name) return *art;
    throw std::runtime_error("no art named " + name);
}

HostColor ColouringTest::Fill(const std::string& name) const {
    host::PathStyle style;
    EXPECT_EQ(doc().getPathStyle(Named(name), style), kHostNoErr) << name;
    return style.fill;
}

} // namespace colouring
