// Where a program of this host finds the module file.
#pragma once

#include <string>

namespace host {

/// The option when given, else $CARTOVEL_PLUGIN, else <exe dir>/../plugins/cartovel.so (the
/// build tree), else <exe dir>/../lib/cartovel/plugins/cartovel.so (an installed tree).
std::string locateModule(const std::string& pluginOption);

} // namespace host
