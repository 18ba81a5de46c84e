#!/usr/bin/env python3
"""Runs one Cartovel command on the document Inkscape hands over and gives back the result.

Inkscape passes the command (a hidden parameter), the selection (--id), the dialog fields
and question answers as parameters, and the document as a file; the current layer is the
one the document's view settings name, which cartovel reads itself.
"""
import os
import shutil
import subprocess
import sys

from inkex.base import InkscapeExtension
from inkex.utils import AbortExtension, errormsg

# Parameters of the description that are no dialog field.
NOT_FIELDS = {"tab"}


def find_cartovel():
    """P/bin/cartovel beside P/share/inkscape/extensions/cartovel/, else the one on PATH."""
    here = os.path.dirname(os.path.abspath(__file__))
    beside = os.path.normpath(os.path.join(here, "..", "..", "..", "..", "bin", "cartovel"))
    if os.access(beside, os.X_OK):
        return beside
    return shutil.which("cartovel")


def alert_text(stderr):
    """The module's own words: its alerts, else cartovel's message without the prefix."""
    lines = [line for line in stderr.splitlines() if line.strip()]
    alerts = [line for line in lines if not line.startswith("cartovel:")]
    if alerts:
        return "\n".join(alerts)
    return "\n".join(line[len("cartovel:"):].strip() for line in lines)


class CartovelCommand(InkscapeExtension):
    """One menu command of the module, run by the cartovel program."""

    def __init__(self):
        super().__init__()
        self.fields = []
        self.answers = []
        self.result = b""

    def add_arguments(self, pars):
        pars.add_argument("--command", required=True)
        pars.add_argument("--id", action="append", default=[])
        pars.add_argument("--selected-nodes", action="append", default=[])

    def parse_arguments(self, args):
        # Parameters go by as --name=value; values may hold spaces, which argparse would take
        # for an input file, so only the wrapper's own options and the file pass through it.
        own, rest = [], []
        for arg in args:
            name = arg[2:].split("=", 1)[0] if arg.startswith("--") else None
            (own if name in (None, "command", "id", "selected-nodes", "output") else rest).append(arg)
        self.options = self.arg_parser.parse_args(own)
        for arg in rest:
            if "=" not in arg:
                raise AbortExtension(f"unexpected argument {arg!r}")
            name, value = arg[2:].split("=", 1)
            if name in NOT_FIELDS:
                continue
            if name.startswith("answer-"):
                self.answers.append(f"{name[len('answer-'):]}={value}")
            else:
                self.fields.append(f"{name}={value}")

    def load(self, stream):
        # cartovel reads the file itself.
        return None

    def effect(self):
        if not isinstance(self.options.input_file, str):
            raise AbortExtension("cartovel needs the document as a file")
        program = find_cartovel()
        if program is None:
            raise AbortExtension("cartovel was not found (install it, or put it on PATH)")
        args = [program, "run", self.options.command, self.options.input_file, "-o", "-",
                "--defaults", "--skip-disabled"]
        if self.options.id:
            args += ["--select", ",".join(self.options.id)]
        for answer in self.answers:
            args += ["--answer", answer]
        for field in self.fields:
            args += ["--set", field]
        done = subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True, check=False)
        if done.returncode != 0:
            errormsg(alert_text(done.stderr.decode("utf-8", "replace")))
            sys.exit(done.returncode)
        self.result = done.stdout
        return True

    def save(self, stream):
        stream = getattr(stream, "buffer", stream)
        stream.write(self.result)


if __name__ == "__main__":
    CartovelCommand().run()
