// Where a run's options point: the current layer and the selection in the opened document.
#pragma once

#include "Session.h"

#include "host/document/Document.h"

#include <string>
#include <vector>

namespace cartovel {

/// Makes the layer that layerTitle names (if not empty) current: its title, or the titles
/// from its top-level layer down joined by "/"; a name that fits two layers is refused and selects
/// the art with the given SVG ids the way the host's selection tool would: a group with its
/// members, never locked art or art on a locked layer (a locked member is left out of its group's
/// selection). False, with a usage error recorded in the session, when a name or id finds
/// nothing or the art cannot be selected.
bool applyTargets(Session& session, host::Document& doc, const std::string& layerTitle,
                  const std::vector<std::string>& select);

} // namespace cartovel
