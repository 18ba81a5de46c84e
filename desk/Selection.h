// Selecting art from the window, with the host's own selection attributes: the object a
// click reaches is selected with everything inside it (a group's members with it), and art
// that is locked or hidden, itself or through a container or layer, cannot be selected.
#pragma once

#include "host/document/Document.h"

#include <vector>

namespace desk {

/// Neither the art nor anything holding it (groups, layers) is locked or hidden.
bool isSelectable(const host::Document& doc, const host::Art& art);
/// Selects the art and everything inside it; false for art that cannot be selected.
bool selectArt(host::Document& doc, host::Art& art);
void deselectArt(host::Document& doc, host::Art& art);
/// Replaces the selection with the given objects (the ones that can be selected).
void replaceSelection(host::Document& doc, const std::vector<host::Art*>& art);

} // namespace desk
