"""The layering check on small trees: what it lets through and what it stops."""

import os
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "check_layers.py")

TABLE = """\
    # Architecture

    ## Layers

    | Layer | Target | May use |
    |---|---|---|
    | `low/` | `low` | the C++ standard library only |
    | `mid/`, `side/` | `mid`, `side` | `low/`, `QtCore` (no widgets) |
    | `mid/gui/` | `gui` | `mid/`, `top/hooks.h` (header-only), `QtCore`, `QtWidgets` |
    | `top/` | `top` | everything above |

    ## Next section
    """


class LayeringCheck(unittest.TestCase):
    def tree(self, files, table=TABLE):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        os.makedirs(os.path.join(root, "docs"))
        with open(os.path.join(root, "docs", "ARCHITECTURE.md"), "w") as f:
            f.write(textwrap.dedent(table))
        for qt_header, module in (("QString", "QtCore"), ("QWidget", "QtWidgets")):
            os.makedirs(os.path.join(root, "qt", module), exist_ok=True)
            open(os.path.join(root, "qt", module, qt_header), "w").close()
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as f:
                f.write(text)
        return root

    def run_checker(self, root):
        done = subprocess.run([sys.executable, CHECKER, "--root", root, "--qt-include-dir",
                               os.path.join(root, "qt")], capture_output=True, text=True)
        return done.returncode, done.stdout

    def test_allowed_includes_pass(self):
        root = self.tree({
            "low/a.h": "#include <string>\n",
            "mid/b.cpp": '#include "mid/b.h"\n#include "low/a.h"\n#include <QString>\n',
            "mid/b.h": "",
            "mid/gui/w.cpp": '#include "mid/b.h"\n#include "top/hooks.h"\n#include <QWidget>\n',
            "top/hooks.h": "",
            "top/t.cpp": '#include "mid/gui/w.h"\n#include "side/s.h"\n#include "local.h"\n',
            "top/local.h": "",
            "mid/gui/w.h": "",
            "side/s.h": "",
            # Tests are programs on top: anything goes.
            "low/tests/a_test.cpp": '#include "top/t.h"\n#include <QWidget>\n',
        })
        code, out = self.run_checker(root)
        self.assertEqual(code, 0, out)

    def test_each_wrong_include_is_named(self):
        cases = [
            # (file, its text, the offence reported)
            ("low/a.cpp", '#include "mid/b.h"\n', 'low/a.cpp:1: includes "mid/b.h"; layer low/ may not use mid/, side/'),
            ("low/a.cpp", "\n#include <QString>\n", "low/a.cpp:2: includes <QString> (QtCore); layer low/ may not use QtCore"),
            ("mid/b.cpp", '#include "mid/gui/w.h"\n', 'layer mid/, side/ may not use mid/gui/'),
            ("mid/b.cpp", "#include <QtWidgets/QWidget>\n", "may not use QtWidgets"),
            # Allowing mid/ allows the mid layer, not side/ which shares its row.
            ("mid/gui/w.cpp", '#include "side/s.h"\n', "layer mid/gui/ may not use mid/, side/"),
            # One header of a layer does not open the rest of it.
            ("mid/gui/w.cpp", '#include "top/t.h"\n', 'includes "top/t.h"; layer mid/gui/ may not use top/'),
            ("other/x.cpp", "", "other/x.cpp:1: lies in no layer of the table"),
            ("top/t.cpp", '#include "nowhere/n.h"\n', 'includes "nowhere/n.h", which lies in no layer'),
        ]
        for path, text, offence in cases:
            with self.subTest(path=path, text=text):
                root = self.tree({path: text, "mid/b.h": "", "mid/gui/w.h": "", "side/s.h": "",
                                  "top/t.h": ""})
                code, out = self.run_checker(root)
                self.assertEqual(code, 1, out)
                self.assertIn(offence, out)

    def test_a_table_that_cannot_be_read_is_an_error(self):
        cases = [
            "# Architecture\n\nNo layers here.\n",
            "## Layers\n\nProse only.\n",
            "## Layers\n\n| Layer | Target | May use |\n|---|---|---|\n| xbase | t | std |\n",
            "## Layers\n\n| Layer | Target | May use |\n|---|---|---|\n| `a/` | t | `missing/` |\n",
        ]
        for table in cases:
            with self.subTest(table=table):
                code, _ = self.run_checker(self.tree({}, table=table))
                self.assertEqual(code, 2)


if __name__ == "__main__":
    unittest.main()
