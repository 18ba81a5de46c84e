#include "ColouringHarness.h"

#include "host/core/Menus.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/svg/SvgFile.h"
#include "hostapi/suites/LayerSuite.h"

#include <cmath>

namespace colouring {

void ColouringTest::SetUp() {
    app_ = std::make_unique<host::Application>();
    if (app_->suites().isEmpty(kHostLayerSuite, kHostLayerSuiteVersion))
        host::installDocumentSuites(app_->suites());
    module_ = &app_->loadModule(CARTOVEL_MODULE_PATH);
    responder_ = std::make_unique<host::ScriptedResponder>();
    app_->user().setResponder(responder_.get());
    ASSERT_EQ(app_->startModules(), kHostNoErr);
}

void ColouringTest::TearDown() {
    session_.reset();
    if (app_) app_->user().setResponder(nullptr);
    app_.reset();
}

void ColouringTest::Open(const std::string& svg) {
    host::SvgLoadResult loaded = host::loadSvgText("test.svg", svg);
    ASSERT_TRUE(loaded.document) << loaded.message;
    session_.reset();
    session_ = std::make_unique<host::DocumentSession>(*app_, std::move(loaded.document));
}

void ColouringTest::OpenFile(const std::string& path) {
    host::SvgLoadResult loaded = host::loadSvgFile(path);
    ASSERT_TRUE(loaded.document) << loaded.message;
    session_.reset();
    session_ = std::make_unique<host::DocumentSession>(*app_, std::move(loaded.document));
}

HostErr ColouringTest::Colour(std::vector<host::Answer> answers) {
    for (host::Answer answer : answers)
        responder_->addAnswer(answer);
    for (host::MenuItem* item : app_->menus().items())
        if (item->owner == module_ && item->text == kMenuText)
            return app_->chooseMenuItem(item->handle());
    ADD_FAILURE() << "the module has no colouring item";
    return kHostErrNotFound;
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

int ColouringTest::PaletteIndex(const HostColor& c) {
    static constexpr double kPalette[7][4] = {
        {0.3, 0, 0, 0},   {0, 0.3, 0, 0},   {0, 0, 0.3, 0},   {0.2, 0.2, 0, 0},
        {0.2, 0, 0.2, 0}, {0, 0.2, 0.2, 0}, {0.2, 0.4, 0, 0},
    };
    if (c.kind != kHostFourColor) return -1;
    for (int i = 0; i < 7; ++i) {
        const double* p = kPalette[i];
        if (std::abs(c.cyan - p[0]) < 1e-9 && std::abs(c.magenta - p[1]) < 1e-9 &&
            std::abs(c.yellow - p[2]) < 1e-9 && std::abs(c.black - p[3]) < 1e-9)
            return i;
    }
    return -1;
}

std::vector<std::string> ColouringTest::Messages() const {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app_->user().alerts())
        if (alert.kind == host::AlertRecord::Kind::Message) out.push_back(alert.text);
    return out;
}

std::vector<std::string> ColouringTest::Questions() const {
    std::vector<std::string> out;
    for (const host::AlertRecord& alert : app_->user().alerts())
        if (alert.kind != host::AlertRecord::Kind::Message) out.push_back(alert.text);
    return out;
}

} // namespace colouring
