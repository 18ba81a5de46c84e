// The stand-in host with the built module loaded and an SVG document open, for running
// polygon colouring the way a user does: through its menu item, with scripted answers.
#pragma once

#include "support/ColouringPalette.h"
#include "support/ModuleHostTest.h"

#include <string>
#include <vector>

namespace colouring {

inline constexpr const char* kMenuText = "ポリゴン色分け";

class ColouringTest : public cartotest::ModuleHostTest {
protected:
    /** Starts the host with the module started, as after a launch. */
    void SetUp() override;

    /// Opens SVG text (user units are points, y down) as the document.
    void Open(const std::string& svg);
    void OpenFile(const std::string& path);

    /// Chooses the colouring's menu item, answering the questions in order.
    HostErr Colour(std::vector<host::Answer> answers);

    /// The art whose SVG id is name.
    host::Art& Named(const std::string& name) const;
    /// The process colour of a path's fill: cyan, magenta, yellow, black; or what it holds.
    HostColor Fill(const std::string& name) const;
    /// The palette index a fill matches (to the last few bits); -1 when it is not a palette
    /// colour.
    static int PaletteIndex(const HostColor& colour) {
        return cartotest::PaletteIndex(colour, 1e-9);
    }
};

} // namespace colouring
