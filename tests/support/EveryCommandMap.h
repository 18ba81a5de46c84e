// A small map with something for every command: layers with a sublayer and Japanese
// titles, touching polygons and one in a group, a rotated and a sheared label, a rotated
// image and a path to move by.
#pragma once

namespace cartotest {

inline constexpr const char* kEveryCommandMap = R"svg(<svg xmlns="http://www.w3.org/2000/svg"
 xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 width="400pt" height="400pt" viewBox="0 0 400 400">
<g inkscape:groupmode="layer" inkscape:label="注記">
 <g inkscape:groupmode="layer" inkscape:label="町名">
  <text id="label" x="50" y="300" font-size="12" transform="rotate(20 50 300)">本町</text>
 </g>
 <text id="sheared" x="200" y="300" font-size="12" transform="matrix(1 0 0.4 0.5 0 0)">川</text>
</g>
<g inkscape:groupmode="layer" inkscape:label="地図">
 <path id="a" fill="#ddd" d="M0 0h20v20h-20Z"/>
 <path id="b" fill="#ddd" d="M20 0h20v20h-20Z"/>
 <path id="c" fill="#ddd" d="M0 20h20v20h-20Z"/>
 <g id="grp"><path id="d" fill="#ddd" d="M20 20h20v20h-20Z"/></g>
 <image id="img" x="100" y="100" width="40" height="20" transform="rotate(10 100 100)"
   xlink:href="data:image/png;base64,"/>
 <path id="arrow" fill="none" stroke="#000" d="M100 200L130 240"/>
</g>
</svg>
)svg";

} // namespace cartotest
