#!/usr/bin/python3
"""Region maps drawn region by region, for the colouring tests.

  region-maps.py import PACKAGE_DIR OUT.svg
      Writes the map of an npm map package (an index.js holding a viewBox and one path per
      location) as a document of one layer, one <path> per region, user units in points.
  region-maps.py neighbours MAP.svg OUT.json
      Lists each region's neighbours, found independently of the host: two regions are
      neighbours when more than LENGTH units of the border of each lie within GAP units of
      the other (default 1 and 0.02), so regions drawn a hairline apart or a hair over one
      another count, and regions that meet at a corner do not.

Needs shapely (Debian: python3-shapely) for the neighbours.
"""

import json
import re
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import quoteattr

GAP = 0.02
LENGTH = 1.0

TOKEN = re.compile(r"[MmLlHhVvCcSsQqTtZz]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?")
ARITY = {"M": 2, "L": 2, "H": 1, "V": 1, "C": 6, "S": 4, "Q": 4, "T": 2, "Z": 0}


def cubic(p0, p1, p2, p3, out, steps=16):
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append(tuple(u**3 * a + 3 * u * u * t * b + 3 * u * t * t * c + t**3 * d
                         for a, b, c, d in zip(p0, p1, p2, p3)))


def rings_of(d):
    """The closed outlines of path data, curves flattened finely."""
    tokens = TOKEN.findall(d)
    rings, ring = [], []
    x = y = sx = sy = 0.0
    last_control = None
    command = None
    i = 0
    while i < len(tokens):
        if tokens[i].isalpha():
            command = tokens[i]
            i += 1
            if command in "Zz":
                if len(ring) >= 3:
                    rings.append(ring)
                x, y = sx, sy
                ring = [(x, y)]
                continue
        n = ARITY[command.upper()]
        if n == 0 or i + n > len(tokens):
            raise ValueError(f"bad path data near token {i}")
        args = [float(t) for t in tokens[i:i + n]]
        i += n
        rel = command.islower()
        up = command.upper()
        ox, oy = (x, y) if rel else (0.0, 0.0)
        control = None
        if up == "M":
            if len(ring) >= 3:
                rings.append(ring)
            x, y = ox + args[0], oy + args[1]
            sx, sy = x, y
            ring = [(x, y)]
            command = "l" if rel else "L"
        elif up == "L" or up == "T":
            x, y = ox + args[0], oy + args[1]
            ring.append((x, y))
        elif up == "H":
            x = (x if rel else 0.0) + args[0]
            ring.append((x, y))
        elif up == "V":
            y = (y if rel else 0.0) + args[0]
            ring.append((x, y))
        elif up in "CS":
            if up == "C":
                c1 = (ox + args[0], oy + args[1])
                rest = args[2:]
            else:
                c1 = (2 * x - last_control[0], 2 * y - last_control[1]) if last_control else (x, y)
                rest = args
            c2 = (ox + rest[0], oy + rest[1])
            end = (ox + rest[2], oy + rest[3])
            cubic((x, y), c1, c2, end, ring)
            control = c2
            x, y = end
        elif up == "Q":
            q = (ox + args[0], oy + args[1])
            end = (ox + args[2], oy + args[3])
            c1 = (x + 2 / 3 * (q[0] - x), y + 2 / 3 * (q[1] - y))
            c2 = (end[0] + 2 / 3 * (q[0] - end[0]), end[1] + 2 / 3 * (q[1] - end[1]))
            cubic((x, y), c1, c2, end, ring)
            x, y = end
        last_control = control
    if len(ring) >= 3:
        rings.append(ring)
    return rings


def import_package(package_dir, out_path):
    text = open(f"{package_dir}/index.js", encoding="utf-8").read()
    data = json.loads(text[text.index("{"):text.rindex("}") + 1])
    package = json.load(open(f"{package_dir}/package.json", encoding="utf-8"))
    _, _, width, height = (float(v) for v in data["viewBox"].split())
    name = package["name"].split("/")[-1]
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" '
        'xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" '
        f'width="{width:g}pt" height="{height:g}pt" viewBox="0 0 {width:g} {height:g}">',
        f'<!-- {package["name"]} {package["version"]}, {package["license"]}: '
        f'{data["label"]}. See README.md. -->',
        f'<g id="layer-regions" inkscape:groupmode="layer" inkscape:label="{name}">',
    ]
    for location in data["locations"]:
        lines.append(f'<path id={quoteattr(location["id"])} fill="#dddddd" stroke="#000" '
                     f'stroke-width="0.25" d={quoteattr(location["path"])}/>')
    lines += ["</g>", "</svg>", ""]
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


def polygonal(shape):
    """The areas of a shape, without the lines and points a repair may leave."""
    from shapely.ops import unary_union
    if shape.geom_type in ("Polygon", "MultiPolygon"):
        return shape
    parts = getattr(shape, "geoms", [])
    return unary_union([polygonal(p) for p in parts if p.geom_type != "Point"
                        and not p.geom_type.endswith("LineString")])


def regions_of(svg_path):
    from shapely.geometry import Polygon
    from shapely.validation import make_valid
    regions = {}
    for element in ET.parse(svg_path).iter("{http://www.w3.org/2000/svg}path"):
        shape = None
        for ring in rings_of(element.get("d")):
            piece = polygonal(make_valid(Polygon(ring)))
            shape = piece if shape is None else polygonal(shape.symmetric_difference(piece))
        if shape is not None and not shape.is_empty:
            regions[element.get("id")] = shape
    return regions


def neighbours(svg_path, out_path):
    regions = regions_of(svg_path)
    ids = sorted(regions)
    shapes = [regions[i] for i in ids]
    bounds = [s.bounds for s in shapes]
    near = {i: [] for i in ids}
    pairs = 0
    for a, shape in enumerate(shapes):
        grown = shape.buffer(GAP)
        for b in range(a + 1, len(shapes)):
            (x0, y0, x1, y1), (u0, v0, u1, v1) = bounds[a], bounds[b]
            if x0 > u1 + GAP or u0 > x1 + GAP or y0 > v1 + GAP or v0 > y1 + GAP:
                continue
            if not shapes[b].intersects(grown):
                continue
            other = shapes[b].buffer(GAP)
            along_a = shape.boundary.intersection(other).length
            along_b = shapes[b].boundary.intersection(grown).length
            if min(along_a, along_b) > LENGTH:
                near[ids[a]].append(ids[b])
                near[ids[b]].append(ids[a])
                pairs += 1
    for i in ids:
        near[i].sort()
    result = {
        "map": svg_path.split("/")[-1],
        "rule": f"neighbours: more than {LENGTH:g} unit of the border of each region lies "
                f"within {GAP:g} units of the other (shapely)",
        "pairs": pairs,
        "neighbors": near,
    }
    with open(out_path, "w", encoding="utf-8") as out:
        json.dump(result, out, indent=0, ensure_ascii=False)
        out.write("\n")
    print(f"{svg_path}: {len(ids)} regions, {pairs} neighbouring pairs")


def main(argv):
    if len(argv) == 4 and argv[1] == "import":
        import_package(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == "neighbours":
        neighbours(argv[2], argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
