// Where a run's options point: the current layer and the selection in the opened document.
#pragma once

#include "Session.h"

#include "host/document/Document.h"

#include <string>
#include <vector>

namespace cartovel {

/// Makes the layer that layerPath names (if not empty) current: its title, or the titles
/// from a top-level layer down parted by "/" (a name two layers share is refused), and
/// makes the art with the given SVG ids the selection the way the host's selection tool
/// would: a group with its members, never hidden or locked art, nor art in a hidden or
/// locked group or on a layer that is hidden or locked or inside one that is (such a
/// member is left out of its group's selection). False, with a usage error recorded in the
/// session, when a name or id finds nothing or the art cannot be selected.
bool applyTargets(Session& session, host::Document& doc, const std::string& layerPath,
                  const std::vector<std::string>& select);

} // namespace cartovel
