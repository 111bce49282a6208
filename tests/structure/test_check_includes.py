"""Cases of scripts/check-includes.py, each on a small tree written for it."""

import os
import runpy
import tempfile
import types
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), os.pardir, os.pardir, "scripts",
                      "check-includes.py")
# The script's name has a dash, so it is loaded by path, not imported.
check_includes = types.SimpleNamespace(**runpy.run_path(SCRIPT))

LAYERS = "foreach(layer platform gdi plot app)\n  add_subdirectory(src/${layer})\nendforeach()\n"


class IncludeRules(unittest.TestCase):
    def faults(self, files, folders=("plot",)):
        """Writes `files` ({"plot/a.h": ["plot/b.h", ...]}) under a fresh src/
        and returns what the checker finds there."""
        with tempfile.TemporaryDirectory() as root:
            src = os.path.join(root, "src")
            for path, includes in files.items():
                full = os.path.join(src, path)
                os.makedirs(os.path.dirname(full), exist_ok=True)
                with open(full, "w", encoding="utf-8") as f:
                    f.write("#pragma once\n#include <vector>\n")
                    f.writelines(f'#include "{target}"\n' for target in includes)
            cmake = os.path.join(root, "CMakeLists.txt")
            with open(cmake, "w", encoding="utf-8") as f:
                f.write(LAYERS)
            return check_includes.check(src, cmake, list(folders))

    def test_circle_through_three_units_fails(self):
        faults = self.faults({
            "plot/a.h": [], "plot/a.cpp": ["plot/a.h", "plot/b.h"],
            "plot/b.h": [], "plot/b.cpp": ["plot/b.h", "plot/c.h"],
            "plot/c.h": [], "plot/c.cpp": ["plot/c.h", "plot/a.h"],
        })
        self.assertEqual(faults, ["include circle of 3 units in plot/: plot/a, plot/b, plot/c"])

    def test_header_with_own_source_and_a_mutual_pair_pass(self):
        self.assertEqual(self.faults({
            "plot/a.h": [], "plot/a.cpp": ["plot/a.h", "plot/b.h"],
            "plot/b.h": ["plot/c.h"], "plot/b.cpp": ["plot/b.h", "plot/a.h"],
            "plot/c.h": [],
        }), [])

    def test_pairs_around_one_hub_pass_but_a_ring_of_pairs_fails(self):
        hub = {
            "plot/hub.h": [], "plot/hub.cpp": ["plot/x.h", "plot/y.h"],
            "plot/x.h": [], "plot/x.cpp": ["plot/hub.h"],
            "plot/y.h": [], "plot/y.cpp": ["plot/hub.h"],
        }
        self.assertEqual(self.faults(hub), [])
        hub["plot/x.cpp"] = ["plot/hub.h", "plot/y.h"]
        hub["plot/y.cpp"] = ["plot/hub.h", "plot/x.h"]
        self.assertEqual(len(self.faults(hub)), 1)

    def test_source_without_header_counts_with_its_unit(self):
        # axisDraw.cpp is part of axis: axis -> view -> axis runs through two
        # units, and with channel a third closes the circle.
        files = {
            "plot/axis.h": [], "plot/axis.cpp": ["plot/axis.h"],
            "plot/axisDraw.cpp": ["plot/axis.h", "plot/view.h"],
            "plot/view.h": [], "plot/view.cpp": ["plot/channel.h"],
            "plot/channel.h": [], "plot/channel.cpp": ["plot/axis.h"],
        }
        faults = self.faults(files)
        self.assertEqual(len(faults), 1)
        self.assertIn("plot/axis, plot/channel, plot/view", faults[0])

    def test_circles_are_checked_only_in_the_folders_asked_for(self):
        files = {
            "gdi/a.h": ["gdi/b.h"], "gdi/b.h": ["gdi/c.h"], "gdi/c.cpp": ["gdi/a.h"],
            "gdi/c.h": [],
        }
        self.assertEqual(self.faults(files), [])
        self.assertEqual(len(self.faults(files, folders=("gdi",))), 1)

    def test_include_against_the_layer_order_fails(self):
        faults = self.faults({
            "platform/Ini.h": [], "platform/Ini.cpp": ["platform/Ini.h", "plot/iPlot.h"],
            "plot/iPlot.h": ["platform/Ini.h", "gdi/Canvas.h"], "gdi/Canvas.h": [],
            "app/main.cpp": ["plot/iPlot.h", "platform/Ini.h"],
        })
        self.assertEqual(faults, [
            "upward include: platform/Ini.cpp (platform) includes plot/iPlot.h (plot)"])

    def test_system_includes_and_missing_files_are_ignored(self):
        self.assertEqual(self.faults({
            "plot/a.h": ["QWidget", "plot/generated.h"], "plot/a.cpp": ["plot/a.h"],
        }), [])

    def test_layer_order_comes_from_the_layer_loop(self):
        with tempfile.TemporaryDirectory() as root:
            cmake = os.path.join(root, "CMakeLists.txt")
            with open(cmake, "w", encoding="utf-8") as f:
                f.write("project(x)\n" + LAYERS)
            self.assertEqual(check_includes.read_layer_order(cmake),
                             ["platform", "gdi", "plot", "app"])
            with open(cmake, "w", encoding="utf-8") as f:
                f.write("project(x)\n")
            with self.assertRaises(SystemExit):
                check_includes.read_layer_order(cmake)


if __name__ == "__main__":
    unittest.main()
