#!/usr/bin/env python3
"""Share of SVG files drawn the same before and after a run that changes nothing.

Each file is opened and saved again by svg_resave; both are drawn by rsvg-convert and
compared pixel by pixel (a pixel differs when a channel moves by more than 24). Files are
counted in every row of content they hold. With --scale S the saved file is scaled about
the page centre and compared with the input wrapped in the same scaling.

  bench/svg/fidelity.py --resave build/default/bin/svg_resave [--generate N] [--system]
                        [--scale S] [FILE_OR_FOLDER ...]

--generate N writes N varied files of its own (seeded, so runs repeat) into a temporary
folder; --system adds the SVG files Debian packages installed under /usr/share.
"""
import argparse
import math
import os
import random
import re
import struct
import subprocess
import sys
import tempfile
import zlib

ROWS = [
    ("shapes", r"<(rect|circle|ellipse|line|polyline|polygon|path)\b"),
    ("structure", r"<(g|use|symbol|switch|image|style|a)\b"),
    ("text", r"<text\b"),
    ("painting", r"\b(fill|stroke|marker-(start|mid|end)|paint-order|mix-blend-mode)\s*[=:]"),
    ("paint servers", r"<(linearGradient|radialGradient|pattern)\b"),
    ("filters", r"<filter\b"),
    ("masking", r"<(clipPath|mask)\b"),
]


def read_png(path):
    data = open(path, "rb").read()
    pos, idat, width, height, ctype = 8, b"", 0, 0, 6
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = {6: 4, 2: 3, 0: 1, 4: 2}[ctype]
    raw = zlib.decompress(idat)
    stride = width * bpp
    out = bytearray(height * stride)
    prev = bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out[y * stride:(y + 1) * stride] = line
        prev = line
    return width, height, bpp, out


def same_drawing(a, b):
    if open(a, "rb").read() == open(b, "rb").read():
        return True
    wa, ha, bpa, pa = read_png(a)
    wb, hb, bpb, pb = read_png(b)
    if (wa, ha, bpa) != (wb, hb, bpb):
        return False
    differing = 0
    for i in range(0, len(pa), bpa):
        if any(abs(pa[i + c] - pb[i + c]) > 24 for c in range(bpa)):
            differing += 1
    return differing <= 0.001 * wa * ha


def render(svg, png):
    try:
        r = subprocess.run(["rsvg-convert", "-b", "white", "-o", png, svg],
                           capture_output=True, timeout=60)
        return r.returncode == 0
    except subprocess.TimeoutExpired:
        return False


# ---- a generator of varied files -------------------------------------------------------

def generated(n, folder):
    rnd = random.Random(14)

    def num(lo, hi):
        return f"{rnd.uniform(lo, hi):.2f}"

    def colour():
        return "#%02x%02x%02x" % (rnd.randrange(256), rnd.randrange(256), rnd.randrange(256))

    def transform():
        kind = rnd.randrange(5)
        if kind == 0:
            return ""
        if kind == 1:
            return f' transform="translate({num(-10, 10)} {num(-10, 10)})"'
        if kind == 2:
            return f' transform="rotate({num(-60, 60)} 50 50)"'
        if kind == 3:
            return f' transform="matrix({num(0.5, 1.2)} {num(-0.3, 0.3)} {num(-0.3, 0.3)} {num(0.5, 1.2)} {num(-5, 15)} {num(-5, 15)})"'
        return f' transform="translate(50 50) scale({num(0.5, 1.5)}) translate(-50 -50)"'

    def element(tag, tail, **ranges):
        # Each attribute a number drawn from its range, in the order given.
        attrs = "".join(f' {name}="{num(lo, hi)}"' for name, (lo, hi) in ranges.items())
        return f"<{tag}{attrs}{tail}/>"

    def shape(extra=""):
        k = rnd.randrange(6)
        t = transform()
        if k == 0:
            return element("rect", t + extra, x=(5, 40), y=(5, 40), width=(10, 50), height=(10, 50),
                           rx=(0, 8))
        if k == 1:
            return element("circle", t + extra, cx=(20, 80), cy=(20, 80), r=(5, 30))
        if k == 2:
            return element("ellipse", t + extra, cx=(20, 80), cy=(20, 80), rx=(5, 30), ry=(5, 20))
        if k == 3:
            pts = " ".join(f"{num(5, 95)},{num(5, 95)}" for _ in range(rnd.randrange(3, 7)))
            return f'<polygon points="{pts}"{t}{extra}/>'
        if k == 4:
            return (f'<path d="M{num(5, 50)} {num(5, 50)} C{num(0, 100)} {num(0, 100)} {num(0, 100)} {num(0, 100)} '
                    f'{num(50, 95)} {num(50, 95)} Q{num(0, 100)} {num(0, 100)} {num(5, 95)} {num(5, 95)} Z"{t}{extra}/>')
        own = "" if "stroke=" in extra else f' stroke="{colour()}" stroke-width="{num(1, 6)}"'
        return element("line", own + t + extra, x1=(5, 95), y1=(5, 95), x2=(5, 95), y2=(5, 95))

    def paint():
        return f' fill="{colour()}" stroke="{colour()}" stroke-width="{num(0, 4)}"'

    def doc(defs, body, head=""):
        return ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                f'width="100" height="100" viewBox="0 0 100 100">{head}<defs>{defs}</defs>{body}</svg>\n')

    makers = []

    def shapes():
        return doc("", "".join(shape(paint()) for _ in range(rnd.randrange(2, 6))))
    makers.append(shapes)

    def structure():
        body = f'<g id="a"{transform()}>{shape(paint())}{shape(paint())}</g>'
        k = rnd.randrange(5)
        if k == 0:
            body += f'<use xlink:href="#a" x="{num(-20, 20)}" y="{num(-20, 20)}"/>'
        elif k == 1:
            defs = f'<symbol id="s" viewBox="0 0 20 20">{shape(paint())}</symbol>'
            return doc(defs, body + f'<use xlink:href="#s" x="{num(0, 50)}" y="{num(0, 50)}" width="{num(10, 50)}" height="{num(10, 50)}"/>')
        elif k == 2:
            hidden = ' systemLanguage="zz"' + paint()
            body += f'<switch>{shape(hidden)}{shape(paint())}</switch>'
        elif k == 3:
            sheet = f'<style>.c{{fill:{colour()};stroke:{colour()}}} #a{{opacity:0.7}}</style>'
            return doc("", body, sheet).replace('<g id="a"', '<g id="a" class="c"', 1)
        else:
            body += f'<a xlink:href="#x"><g class="k" data-n="1">{shape(paint())}</g></a>'
        return doc("", body)
    makers.append(structure)

    def text():
        body = ""
        for _ in range(rnd.randrange(1, 3)):
            body += (f'<text x="{num(5, 40)}" y="{num(20, 90)}" font-family="DejaVu Sans" font-size="{num(8, 16)}" '
                     f'fill="{colour()}"{transform()}>Map {rnd.randrange(100)}</text>')
        return doc("", body)
    makers.append(text)

    def painting():
        defs = ('<marker id="m" viewBox="0 0 10 10" refX="5" refY="5" markerWidth="4" markerHeight="4" orient="auto">'
                f'<path d="M0 0L10 5L0 10Z" fill="{colour()}"/></marker>')
        extra = rnd.choice([' marker-end="url(#m)" marker-start="url(#m)"', ' paint-order="stroke"',
                            ' style="mix-blend-mode:multiply"', f' stroke-dasharray="{num(1, 5)} {num(1, 5)}"',
                            ' stroke-linejoin="round" stroke-linecap="round"'])
        body = shape(paint()) + f'<path fill="none" d="M10 80 L40 {num(20, 60)} L70 60 L90 20"{paint().replace(" fill=", " data-fill=")}{extra}{transform()}/>'
        return doc(defs, body)
    makers.append(painting)

    def servers():
        k = rnd.randrange(3)
        if k == 0:
            defs = (f'<linearGradient id="p" x2="{num(0, 1)}" y2="{num(0, 1)}"><stop offset="0" stop-color="{colour()}"/>'
                    f'<stop offset="1" stop-color="{colour()}"/></linearGradient>')
        elif k == 1:
            defs = (f'<radialGradient id="p" gradientUnits="userSpaceOnUse" cx="50" cy="50" r="{num(10, 50)}">'
                    f'<stop offset="0" stop-color="{colour()}"/><stop offset="1" stop-color="{colour()}"/></radialGradient>')
        else:
            defs = (f'<pattern id="p" width="{num(4, 12)}" height="{num(4, 12)}" patternUnits="userSpaceOnUse" '
                    f'patternTransform="rotate({num(0, 90)})"><rect width="3" height="3" fill="{colour()}"/></pattern>')
        return doc(defs, shape(f' fill="url(#p)" stroke="{colour()}"') + shape(' fill="url(#p)"'))
    makers.append(servers)

    def filters():
        k = rnd.randrange(3)
        prim = [f'<feGaussianBlur stdDeviation="{num(0.5, 3)}"/>',
                f'<feOffset dx="{num(1, 5)}" dy="{num(1, 5)}"/>',
                f'<feFlood flood-color="{colour()}" flood-opacity="0.5"/><feComposite in2="SourceGraphic" operator="in"/>'][k]
        defs = f'<filter id="f">{prim}</filter>'
        if rnd.randrange(2):
            return doc(defs, f'<g filter="url(#f)"{transform()}>{shape(paint())}{shape(paint())}</g>')
        return doc(defs, shape(paint() + ' filter="url(#f)"'))
    makers.append(filters)

    def masking():
        if rnd.randrange(2):
            defs = f'<clipPath id="c"><circle cx="{num(30, 70)}" cy="{num(30, 70)}" r="{num(15, 40)}"/></clipPath>'
            ref = ' clip-path="url(#c)"'
        else:
            defs = f'<mask id="c"><rect width="100" height="100" fill="white"/><circle cx="50" cy="50" r="{num(5, 30)}" fill="black"/></mask>'
            ref = ' mask="url(#c)"'
        if rnd.randrange(2):
            return doc(defs, f'<g{ref}{transform()}>{shape(paint())}{shape(paint())}</g>')
        return doc(defs, shape(paint() + ref))
    makers.append(masking)

    files = []
    for i in range(n):
        make = makers[i % len(makers)]
        p = os.path.join(folder, f"g{i:04d}-{make.__name__}.svg")
        with open(p, "w") as f:
            f.write(make())
        files.append(p)
    return files


def system_files():
    found = []
    for root, _, names in os.walk("/usr/share"):
        for n in names:
            if n.endswith(".svg"):
                found.append(os.path.join(root, n))
    return sorted(found)


def scaled_original(src, dst, s):
    text = open(src, encoding="utf-8", errors="replace").read()
    m = re.search(r"<svg\b[^>]*>", text)
    vb = re.search(r'viewBox="\s*([-\d.e]+)[\s,]+([-\d.e]+)[\s,]+([-\d.e]+)[\s,]+([-\d.e]+)', m.group(0))
    if vb:
        x, y, w, h = map(float, vb.groups())
    else:
        w = float(re.sub(r"[a-z]+$", "", re.search(r'width="([^"]*)"', m.group(0)).group(1)))
        h = float(re.sub(r"[a-z]+$", "", re.search(r'height="([^"]*)"', m.group(0)).group(1)))
        x = y = 0
    cx, cy = x + w / 2, y + h / 2
    t = f'<g transform="translate({cx} {cy}) scale({s}) translate({-cx} {-cy})">'
    close = text.rfind("</svg>")
    text = text[:m.end()] + t + text[m.end():close] + "</g>" + text[close:]
    with open(dst, "w") as f:
        f.write(text)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--resave", required=True)
    ap.add_argument("--generate", type=int, default=0)
    ap.add_argument("--system", action="store_true")
    ap.add_argument("--scale", type=float)
    ap.add_argument("--list-failures", action="store_true")
    ap.add_argument("inputs", nargs="*")
    args = ap.parse_args()
    work = tempfile.mkdtemp(prefix="fidelity-")
    files = []
    for i in args.inputs:
        if os.path.isdir(i):
            files += sorted(os.path.join(i, n) for n in os.listdir(i) if n.endswith(".svg"))
        else:
            files.append(i)
    if args.system:
        files += system_files()
    if args.generate:
        files += generated(args.generate, work)
    totals = {name: [0, 0] for name, _ in ROWS}
    counts = {"files": 0, "same": 0, "refused": 0, "crashed": 0, "hung": 0, "unrenderable": 0}
    failures = []
    for f in files:
        try:
            text = open(f, encoding="utf-8", errors="replace").read()
        except OSError:
            continue
        before = os.path.join(work, "before.png")
        if not render(f, before):
            counts["unrenderable"] += 1
            continue
        counts["files"] += 1
        out = os.path.join(work, "out.svg")
        cmd = [args.resave, f, out] + ([str(args.scale)] if args.scale else [])
        try:
            r = subprocess.run(cmd, capture_output=True, timeout=30)
            status = r.returncode
        except subprocess.TimeoutExpired:
            status = "hung"
        same = False
        if status == 0:
            reference = f
            if args.scale:
                reference = os.path.join(work, "expected.svg")
                try:
                    scaled_original(f, reference, args.scale)
                except (AttributeError, ValueError):
                    reference = None
            after = os.path.join(work, "after.png")
            if reference and render(out, after):
                if args.scale:
                    render(reference, before)
                same = same_drawing(before, after)
        elif status == 2:
            counts["refused"] += 1
        elif status == "hung":
            counts["hung"] += 1
        else:
            counts["crashed" if status < 0 else "refused"] += 1
        counts["same"] += same
        if not same:
            failures.append(f)
        for name, pattern in ROWS:
            if re.search(pattern, text):
                totals[name][0] += 1
                totals[name][1] += same
    print(f"{counts['files']} files drawn by rsvg-convert ({counts['unrenderable']} it cannot draw left out); "
          f"{counts['same']} drawn the same; refused {counts['refused']}, crashed {counts['crashed']}, "
          f"hung {counts['hung']}")
    print("| content | files | drawn the same |")
    print("|---|---|---|")
    for name, _ in ROWS:
        n, s = totals[name]
        print(f"| {name} | {n} | {100.0 * s / n if n else 0:.1f} % |")
    if args.list_failures:
        for f in failures:
            print("different:", f)


if __name__ == "__main__":
    main()
