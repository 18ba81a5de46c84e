"""The Inkscape extensions: their descriptions against Inkscape's schema, the wrapper run
with the arguments Inkscape gives it, and one run of real Inkscape in batch mode."""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from lxml import etree

EXT = os.environ["CARTOVEL_EXTENSIONS"]
SHIPPED = os.environ["INKSCAPE_SHIPPED"]
MAP = os.path.join(os.environ["FIXTURES"], "map.svg")
NS = {
    "svg": "http://www.w3.org/2000/svg",
    "inkscape": "http://www.inkscape.org/namespaces/inkscape",
    "sodipodi": "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd",
}
LABEL = "{%s}label" % NS["inkscape"]
COMMANDS = [
    "polygon-colouring", "map-scaling", "scale-bar", "fast-move", "layer-numbering",
    "layer-replace", "save-layer-list", "load-layer-list", "reset-image-size",
    "straighten-text", "remove-text-shear", "move-to-layer", "text-origin",
]


def inx_params(command):
    """The parameters Inkscape would pass without a dialog: each one's first value."""
    tree = etree.parse(os.path.join(EXT, "cartovel-%s.inx" % command))
    ns = {"i": "http://www.inkscape.org/namespace/inkscape/extension"}
    args = []
    for param in tree.iterfind(".//i:param", ns):
        kind = param.get("type")
        if kind == "notebook":
            args.append("--%s=settings" % param.get("name"))
        elif kind == "optiongroup":
            args.append("--%s=%s" % (param.get("name"), param.find("i:option", ns).get("value")))
        else:
            args.append("--%s=%s" % (param.get("name"), param.text or ""))
    return args


def first_option_texts(command):
    """What the drop-down lists show first, by parameter name."""
    tree = etree.parse(os.path.join(EXT, "cartovel-%s.inx" % command))
    return {p.get("name"): p.find("{*}option").text
            for p in tree.iterfind(".//{*}param[@appearance='combo']")}


def run_wrapper(command, *extra, doc=MAP):
    """Runs the wrapper as Inkscape does; later arguments override the defaults."""
    given = {a.split("=", 1)[0] for a in extra if a.startswith("--") and not a.startswith("--id")}
    args = [a for a in inx_params(command) if a.split("=", 1)[0] not in given]
    return subprocess.run(
        [sys.executable, os.path.join(EXT, "cartovel.py"), *args, *extra, doc],
        capture_output=True, stdin=subprocess.DEVNULL, timeout=60, check=False)


def parse(data):
    return etree.fromstring(data)


def by_id(root, ident):
    found = root.xpath("//*[@id=$i]", i=ident)
    return found[0] if found else None


def fill(element):
    return element.get("fill") or re.search(r"fill:([^;]+)", element.get("style", "")).group(1)


def shape_parameters(root):
    """The ids of the elements Inkscape would draw from its own shape parameters."""
    return {e.get("id") for e in root.iter()
            if e.get("{%s}type" % NS["sodipodi"]) or e.get("{%s}original-d" % NS["inkscape"])}


def layer_labels(root):
    return [g.get(LABEL) for g in root.iter("{%s}g" % NS["svg"])
            if g.get("{%s}groupmode" % NS["inkscape"]) == "layer"]


class SchemaTests(unittest.TestCase):
    def test_every_command_has_a_valid_description(self):
        schema = etree.RelaxNG(etree.parse(os.path.join(SHIPPED, "inkscape.extension.rng")))
        found = sorted(glob.glob(os.path.join(EXT, "*.inx")))
        self.assertEqual(len(found), len(COMMANDS))
        ids = set()
        for path in found:
            tree = etree.parse(path)
            self.assertTrue(schema.validate(tree), "%s: %s" % (path, schema.error_log))
            ids.add(tree.findtext("{*}id"))
        self.assertEqual(ids, {"org.cartovel." + c for c in COMMANDS})

    def test_fields_match_the_command_help(self):
        # The parameters are the fields `cartovel help` lists, with its defaults.
        cartovel = os.path.normpath(os.path.join(EXT, "../../../../bin/cartovel"))
        for command in ("map-scaling", "scale-bar", "layer-numbering", "layer-replace"):
            help_text = subprocess.run([cartovel, "help", command, "--prefs", os.devnull],
                                       capture_output=True, text=True, check=True).stdout
            fields = dict(re.findall(r"^  ([\w-]+)=\S+  \(default: \"([^\"]*)\"", help_text, re.M))
            params = dict(a[2:].split("=", 1) for a in inx_params(command))
            shown = first_option_texts(command)
            for name, value in fields.items():
                self.assertIn(name, params, command)
                given = shown.get(name, params[name])
                if given in ("true", "false"):
                    value = {"on": "true", "off": "false"}[value]
                self.assertEqual(given, value, (command, name))


class WrapperTests(unittest.TestCase):
    def ok(self, result):
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        self.assertEqual(result.stderr, b"")
        return parse(result.stdout)

    def assert_inkscape_content_kept(self, root):
        view = root.find("sodipodi:namedview", NS)
        self.assertIsNotNone(view)
        self.assertEqual(len(view.findall("sodipodi:guide", NS)), 2)
        self.assertEqual(by_id(root, "s1").get(LABEL), "北西州")
        self.assertEqual(by_id(root, "river").get(LABEL), "川")
        current = view.get("{%s}current-layer" % NS["inkscape"])
        self.assertIsNotNone(by_id(root, current), "the current layer is in the document")

    def test_colouring_takes_the_current_layer_of_the_view_settings(self):
        root = self.ok(run_wrapper("polygon-colouring"))
        colours = {i: fill(by_id(root, i)) for i in ("s1", "s2", "s3", "s4")}
        for a, b in (("s1", "s2"), ("s1", "s3"), ("s2", "s4"), ("s3", "s4")):
            self.assertNotEqual(colours[a], colours[b])
        self.assertEqual({fill(by_id(root, "k1")), fill(by_id(root, "k2"))}, {"#cccccc"})
        self.assert_inkscape_content_kept(root)
        view = root.find("sodipodi:namedview", NS)
        self.assertEqual(view.get("{%s}current-layer" % NS["inkscape"]), "layer-states",
                         "the coloured layer stays current")
        # Shapes the command left alone keep Inkscape's parameters, and the clone its link.
        self.assertEqual(shape_parameters(root), {"lake", "pond", "capital", "whirl", "river"})
        clone = by_id(root, "clone1")
        self.assertEqual(clone.tag, "{%s}use" % NS["svg"])
        self.assertEqual(clone.get("{http://www.w3.org/1999/xlink}href"), "#capital")

    def test_failures_give_the_modules_words_and_no_document(self):
        cases = [
            ("polygon-colouring", ["--answer-confirm=cancel"], None),
            ("reset-image-size", [], None),  # no image selected: refused
            ("map-scaling", ["--target-scale=0"], None),
            ("save-layer-list", ["--file="], "file"),
        ]
        for command, extra, word in cases:
            result = run_wrapper(command, *extra)
            self.assertNotEqual(result.returncode, 0, command)
            self.assertEqual(result.stdout, b"", command)
            if word:
                self.assertIn(word, result.stderr.decode(), command)

    def test_a_locked_current_layer_is_refused_with_the_alert(self):
        with tempfile.TemporaryDirectory() as tmp:
            doc = os.path.join(tmp, "locked.svg")
            with open(MAP, encoding="utf-8") as f:
                text = f.read().replace('current-layer="layer-states"',
                                        'current-layer="layer-legend"')
            with open(doc, "w", encoding="utf-8") as f:
                f.write(text)
            result = run_wrapper("polygon-colouring", doc=doc)
            self.assertEqual(result.returncode, 3)
            self.assertEqual(result.stderr.decode().strip(), "現在のレイヤーはロックされています")

    def test_a_current_layer_holding_only_a_closed_sublayer(self):
        """Every command gives its own result or refusal, never a failed host operation."""
        layer = ('<g inkscape:groupmode="layer" id="layer-empty" inkscape:label="空">'
                 '<g inkscape:groupmode="layer" id="layer-sub" inkscape:label="下" {}>{}</g>'
                 '</g></svg>')
        art = '<path id="sub1" d="M 5,5 H 9 V 9 Z" style="fill:#cccccc"/>'
        with open(MAP, encoding="utf-8") as f:
            text = f.read().replace('current-layer="layer-states"', 'current-layer="layer-empty"')
        with tempfile.TemporaryDirectory() as tmp:
            names = os.path.join(tmp, "names.txt")
            for closed, content in (('sodipodi:insensitive="true"', art),
                                    ('style="display:none"', "")):
                doc = os.path.join(tmp, "closed.svg")
                with open(doc, "w", encoding="utf-8") as f:
                    f.write(text.replace("</svg>", layer.format(closed, content)))
                for command in COMMANDS:
                    extra = ["--file=" + names, "--encoding=utf-8"] if "list" in command else []
                    with self.subTest(closed=closed, command=command):
                        result = run_wrapper(command, *extra, doc=doc)
                        self.assertIn(result.returncode, (0, 3, 64), result.stderr.decode())
                        self.assertNotIn("100", result.stderr.decode())

    def test_every_command_runs_on_the_inkscape_document(self):
        with tempfile.TemporaryDirectory() as tmp:
            names = os.path.join(tmp, "names.txt")
            cases = [
                ("map-scaling", ["--mode=ratio", "--horizontal=200", "--vertical=200"]),
                ("scale-bar", []),
                ("fast-move", ["--id=river"]),
                ("layer-numbering", []),
                ("layer-replace", ["--search=州", "--replacement=県"]),
                ("save-layer-list", ["--file=" + names, "--encoding=utf-8"]),
                ("load-layer-list", ["--file=" + names, "--encoding=utf-8"]),
                ("straighten-text", ["--id=t1"]),
                ("remove-text-shear", ["--id=t1"]),
                ("move-to-layer", ["--id=s1", "--layer=地形"]),
                ("text-origin", ["--id=t1", "--origin=left"]),
            ]
            results = {}
            for command, extra in cases:
                with self.subTest(command=command):
                    results[command] = self.ok(run_wrapper(command, *extra))
                    self.assert_inkscape_content_kept(results[command])
            xs = [float(x) for x in re.findall(r"[ML](-?[\d.]+)", by_id(results["map-scaling"],
                                                                          "s1").get("d"))]
            self.assertAlmostEqual(max(xs) - min(xs), 80)
            # The shapes' parameters are scaled with them: Inkscape still edits them as shapes.
            # The clone in the locked layer stayed where it was while its original moved: it
            # is written as its copy, a star of its own.
            self.assertEqual(shape_parameters(results["map-scaling"]),
                             {"lake", "pond", "capital", "whirl", "river", "capital-1"})
            self.assertIsNone(by_id(results["map-scaling"], "clone1").find("svg:use", NS))
            self.assertEqual(by_id(results["map-scaling"], "clone1").tag, "{%s}g" % NS["svg"])
            # The path that gives the vector stays where it is; the moved shapes keep theirs.
            self.assertEqual(shape_parameters(results["fast-move"]),
                             {"lake", "pond", "capital", "whirl", "river", "capital-1"})
            self.assertIn("M130 10L170 10", by_id(results["fast-move"], "s1").get("d"))
            self.assertIn("県", layer_labels(results["layer-replace"]))
            self.assertEqual(by_id(results["move-to-layer"], "s1").getparent().get("id"),
                             "layer-terrain")
            self.assertNotIn("matrix(0.93", etree.tostring(by_id(results["straighten-text"], "t1"))
                             .decode())
            with open(names, encoding="utf-8-sig") as f:
                self.assertIn("凡例", f.read())


class RealInkscapeTests(unittest.TestCase):
    def test_colouring_without_a_dialog_in_batch_mode(self):
        if not (shutil.which("inkscape") and shutil.which("xvfb-run")):
            self.skipTest("inkscape or xvfb-run is not installed")
        with tempfile.TemporaryDirectory() as tmp:
            os.makedirs(os.path.join(tmp, "extensions"))
            os.symlink(EXT, os.path.join(tmp, "extensions", "cartovel"))
            out = os.path.join(tmp, "out.svg")
            env = dict(os.environ, INKSCAPE_PROFILE_DIR=tmp)
            env.pop("PYTHONPATH", None)
            # Inkscape exits 0 with an unchanged file when something goes wrong, and hangs
            # on an error dialog: only the output's content tells.
            try:
                subprocess.run(
                    ["xvfb-run", "-a", "inkscape", "--with-gui", "--batch-process",
                     "--actions=org.cartovel.polygon-colouring.noprefs;"
                     "export-filename:%s;export-do" % out, MAP],
                    env=env, capture_output=True, stdin=subprocess.DEVNULL, timeout=90,
                    check=False)
            except subprocess.TimeoutExpired:
                self.fail("Inkscape did not finish")
            root = etree.parse(out).getroot()
            colours = {fill(by_id(root, i)) for i in ("s1", "s2", "s3", "s4")}
            self.assertGreaterEqual(len(colours), 2)
            self.assertNotIn("#cccccc", colours)
            self.assertEqual({fill(by_id(root, "k1")), fill(by_id(root, "k2"))}, {"#cccccc"})
            self.assertEqual(layer_labels(root), ["背景", "地形", "州", "州", "凡例"])
            self.assertEqual(by_id(root, "s1").get(LABEL), "北西州")
            view = root.find("sodipodi:namedview", NS)
            self.assertEqual(view.get("{%s}current-layer" % NS["inkscape"]), "layer-states")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[1:], verbosity=2)
