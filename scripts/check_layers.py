#!/usr/bin/env python3
"""Checks the includes of every C++ source against the layers table.

The table is the one in docs/ARCHITECTURE.md under "## Layers"; it is the
only statement of the rules, and this script reads it as written:

- the first column names a layer's folders (`xbase/`); a source belongs to
  the layer of the longest folder that holds it;
- in the "May use" column, `some/folder/` allows any source of that layer,
  `some/header.h` that one header, `QtCore` (`QtGui`, `QtWidgets`, ...) the
  headers of that Qt module, and "everything above" all that the rows above
  name or allow. Everything else in the column is commentary.

A source may always include its own layer. Tests, fuzz harnesses and
benchmark programs (folders named tests/ or fuzz/, and the bench/ layer)
are programs at the top: their includes are not checked, but they must lie
in a layer of the table like every other source.

Usage: check_layers.py [--root DIR] [--doc FILE] [--qt-include-dir DIR]
Exit status 0 when every include is allowed, 1 otherwise (each offence is
printed as "file:line: ..."), 2 when the table cannot be read.
"""

import argparse
import os
import re
import subprocess
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c")
PROGRAM_FOLDERS = ("tests", "fuzz")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
TOKEN = re.compile(r"`([^`]+)`")


class Layer:
    def __init__(self, folders, allowed_layers, headers, qt_modules, line):
        self.folders = folders            # ["questionbank/", "history/"]
        self.allowed_layers = allowed_layers  # folders named in "May use"
        self.headers = headers            # single headers named in "May use"
        self.qt_modules = qt_modules      # {"QtCore", ...}
        self.line = line                  # of its row in the document

    @property
    def name(self):
        return ", ".join(self.folders)


def read_layers(doc_path):
    """The rows of the table under "## Layers", in order."""
    with open(doc_path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    try:
        start = next(i for i, l in enumerate(lines) if l.strip() == "## Layers")
    except StopIteration:
        raise ValueError(f'{doc_path}: no "## Layers" section')
    rows = []
    in_table = False
    for number, line in enumerate(lines[start + 1:], start + 2):
        if line.startswith("## "):
            break
        if not line.startswith("|"):
            if in_table:
                break
            continue
        in_table = True
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) < 3 or set(cells[0]) <= set("-: ") or cells[0] == "Layer":
            continue
        rows.append((number, cells[0], cells[-1]))
    if not rows:
        raise ValueError(f'{doc_path}: no table under "## Layers"')

    layers = []
    for number, first, may_use in rows:
        folders = [t for t in TOKEN.findall(first) if t.endswith("/")]
        if not folders:
            raise ValueError(f"{doc_path}:{number}: the row names no folder (`name/`)")
        allowed, headers, qt = [], [], set()
        if "everything above" in may_use:
            for above in layers:
                allowed += above.folders + above.allowed_layers
                headers += above.headers
                qt |= above.qt_modules
        for token in TOKEN.findall(may_use):
            if token.endswith("/"):
                allowed.append(token)
            elif token.endswith(".h"):
                headers.append(token)
            elif re.fullmatch(r"Qt[A-Z]\w*", token):
                qt.add(token)
        layers.append(Layer(folders, allowed, headers, qt, number))
    known = {f for layer in layers for f in layer.folders}
    for layer in layers:
        for folder in layer.allowed_layers:
            if folder not in known:
                raise ValueError(f"{doc_path}:{layer.line}: `{folder}` is no layer of the table")
    return layers


def layer_of(path, layers):
    best, best_length = None, -1
    for layer in layers:
        for folder in layer.folders:
            if path.startswith(folder) and len(folder) > best_length:
                best, best_length = layer, len(folder)
    return best


def owning_folder(path, layers):
    """The folder of the table that holds path, for the "may use" check."""
    best = None
    for layer in layers:
        for folder in layer.folders:
            if path.startswith(folder) and (best is None or len(folder) > len(best)):
                best = folder
    return best


def sources(root):
    try:
        # Tracked files and new ones not yet added (but not ignored ones).
        listed = subprocess.run(["git", "-C", root, "ls-files", "--cached", "--others",
                                 "--exclude-standard"], check=True,
                                capture_output=True, text=True).stdout.split("\n")
    except (OSError, subprocess.CalledProcessError):
        listed = []
        for folder, dirs, files in os.walk(root):
            dirs[:] = [d for d in dirs if not d.startswith(".") and not d.startswith("build")]
            for name in files:
                listed.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(p.replace(os.sep, "/") for p in listed if p.endswith(SOURCE_SUFFIXES))


def qt_headers(include_dir):
    """Header name -> Qt module, from the folders of the Qt include directory."""
    modules = {}
    if not include_dir or not os.path.isdir(include_dir):
        return modules
    for module in os.listdir(include_dir):
        folder = os.path.join(include_dir, module)
        if module.startswith("Qt") and os.path.isdir(folder):
            modules[module] = module
            for name in os.listdir(folder):
                modules.setdefault(name, module)
    return modules


def qt_module(header, qt):
    if "/" in header:
        first = header.split("/", 1)[0]
        return first if first.startswith("Qt") else None
    return qt.get(header) if header.startswith("Q") else None


def check(root, layers, qt):
    offences = []
    for path in sources(root):
        full = os.path.join(root, path)
        if not os.path.exists(full):
            continue  # deleted in the working tree, not yet in git
        layer = layer_of(path, layers)
        if layer is None:
            offences.append(f"{path}:1: lies in no layer of the table")
            continue
        parts = path.split("/")
        if any(p in PROGRAM_FOLDERS for p in parts[:-1]) or parts[0] == "bench":
            continue
        try:
            with open(full, encoding="utf-8", errors="replace") as f:
                text = f.read().split("\n")
        except OSError as error:
            offences.append(f"{path}:1: cannot be read: {error}")
            continue
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, header = match.groups()
            if kind == "<":
                module = qt_module(header, qt)
                if module and module not in layer.qt_modules:
                    offences.append(f'{path}:{number}: includes <{header}> ({module}); '
                                    f"layer {layer.name} may not use {module}")
                continue
            beside = os.path.normpath(os.path.join(os.path.dirname(path), header)).replace(os.sep, "/")
            target = beside if os.path.exists(os.path.join(root, beside)) else os.path.normpath(header)
            target = target.replace(os.sep, "/")
            target_layer = layer_of(target, layers)
            if target_layer is None:
                offences.append(f'{path}:{number}: includes "{header}", which lies in no layer of the table')
                continue
            if target_layer is layer or target in layer.headers:
                continue
            if owning_folder(target, layers) in layer.allowed_layers:
                continue
            offences.append(f'{path}:{number}: includes "{header}"; layer {layer.name} '
                            f"may not use {target_layer.name}")
    return offences


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--root", default=os.path.dirname(here))
    parser.add_argument("--doc", default=None, help="default: ROOT/docs/ARCHITECTURE.md")
    parser.add_argument("--qt-include-dir", default=None,
                        help="the folder holding QtCore/, QtWidgets/, ... (Qt includes are "
                             "checked only when given)")
    args = parser.parse_args()
    doc = args.doc or os.path.join(args.root, "docs", "ARCHITECTURE.md")
    try:
        layers = read_layers(doc)
    except (OSError, ValueError) as error:
        print(f"check_layers: {error}", file=sys.stderr)
        return 2
    qt = qt_headers(args.qt_include_dir)
    if args.qt_include_dir and not qt:
        print(f"check_layers: no Qt modules in {args.qt_include_dir}", file=sys.stderr)
        return 2
    offences = check(args.root, layers, qt)
    for offence in offences:
        print(offence, flush=True)
    if offences:
        print(f"check_layers: {len(offences)} include(s) break the layers of {doc}", file=sys.stderr)
        return 1
    print(f"check_layers: every include keeps to the {len(layers)} layers of {doc}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
