// Fast move: moves the art of every visible, unlocked layer by the vector from the first
// to the last anchor of the one selected path, which itself stays where it is.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>

class CFastMove {
public:
    /** 0 or the first host error. */
    HostErr Run();
    /** Moves art and, with siblings, each art after it; groups and compound paths are
     *  entered, never moved as a whole. */
    HostErr MoveTree(HostArtHandle art, const HostRealMatrix& matrix, bool withSiblings);

    /** The selected path that gives the vector. */
    HostArtHandle destination = nullptr;
    /** 1 once the ignore-guides question was asked. */
    int32_t guidesAsked = 0;
    /** 1 when the user answered yes to it. */
    int32_t ignoreGuides = 0;

private:
    HostErr FindDestination();
};
