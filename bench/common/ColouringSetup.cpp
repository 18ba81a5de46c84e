#include "ColouringSetup.h"

#include "host/docsuites/DocumentSuites.h"
#include "hostapi/suites/LayerSuite.h"

namespace benchmap {

host::MenuItem* LoadColouring(host::Application& app, const char* modulePath) {
    if (app.suites().isEmpty(kHostLayerSuite, kHostLayerSuiteVersion))
        host::installDocumentSuites(app.suites());
    host::Module& module = app.loadModule(modulePath);
    if (app.startModules() != kHostNoErr) return nullptr;
    for (host::MenuItem* candidate : app.menus().items())
        if (candidate->owner == &module && candidate->text == "ポリゴン色分け") return candidate;
    return nullptr;
}

host::Answer ColouringAnswer(std::string_view question) {
    return question.find("よろしいですか") != std::string_view::npos ? host::Answer::Ok
                                                                     : host::Answer::Cancel;
}

} // namespace benchmap
