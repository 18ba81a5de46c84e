// Transforming a whole opened document the way the map scaling command does (member by
// member, strokes and patterns scaled) or as a move of whole objects does. Shared by the
// resave tool of the fidelity measurement and the preservation tests.
#pragma once

#include "host/document/Document.h"

namespace benchmap {

/// Scaling by s about the page's centre, in document coordinates (y up from the bottom).
HostRealMatrix scaleAboutPageCentre(const host::Page& page, double s);

/// Every art object of every layer: each leaf on its own when memberwise, else each
/// top-level object as one. The first error stops it.
HostErr transformAll(host::Document& doc, const HostRealMatrix& m, double lineScale,
                     bool memberwise);

} // namespace benchmap
