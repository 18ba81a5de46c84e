// Text made the way the host makes it, for the tests that build documents with labels.
#pragma once

#include "host/document/Document.h"

#include <vector>

namespace cartotest {

/// A point text at anchor on top inside parent; null when the host refuses it (a test
/// failure).
host::Art* AddPointText(host::Document& doc, host::Art& parent, HostRealPoint anchor,
                        host::Orientation orientation = host::Orientation::Horizontal);

/// An area text on top inside parent, in a closed frame through the corners; null when the
/// host refuses it (a test failure).
host::Art* AddAreaText(host::Document& doc, host::Art& parent,
                       const std::vector<HostRealPoint>& corners);

} // namespace cartotest
