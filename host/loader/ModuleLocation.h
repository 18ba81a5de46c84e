// Where a program of this host finds the module file.
#pragma once

#include <string>

namespace host {

/// The option when given, else $CARTOVEL_PLUGIN, else <exe dir>/../plugins/cartovel.so (the
/// build tree), else the module where the install rules put it, relative to <exe dir>.
std::string locateModule(const std::string& pluginOption);

/// The search order above in words, with the installed path, for a program's help.
std::string moduleSearchHelp();

} // namespace host
