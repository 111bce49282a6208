#!/usr/bin/env python3
"""Checks the #include lines under a source tree against the layering rules.

    check-includes.py [--cmake CMakeLists.txt] [--cycles-in plot] SRC_DIR

Two faults fail the check:
- an include between layers that goes against the layer order: a layer may
  include only the layers listed before it in the top-level CMakeLists.txt
  (`foreach(layer platform serial ...)`);
- an include circle through more than two units inside one of the folders
  named by --cycles-in (default: plot). A unit is a header with its source of
  the same name; a source without a header of its own (iPlotAxisDraw.cpp)
  belongs to the unit whose name starts its name (iPlotAxis). So a header and
  its own source never count as a circle, and two units that include each
  other are tolerated; a circle through three or more is not.

Includes are read as written, `#include "layer/File.h"`, relative to SRC_DIR;
system and Qt includes are ignored. Prints one line per fault and exits 1 on
any, 0 when the tree is clean.
"""

import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
LAYER_LOOP = re.compile(r"foreach\s*\(\s*layer\s+([^)]*)\)")
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".cc")


def read_layer_order(cmake_file):
    with open(cmake_file, encoding="utf-8") as f:
        match = LAYER_LOOP.search(f.read())
    if not match:
        raise SystemExit(f"{cmake_file}: no foreach(layer ...) line names the layer order")
    return match.group(1).split()


def source_files(src_dir):
    for folder, _, names in os.walk(src_dir):
        for name in sorted(names):
            if name.endswith(SOURCE_ENDINGS):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, src_dir).replace(os.sep, "/")


def includes_of(src_dir, rel_path):
    with open(os.path.join(src_dir, rel_path), encoding="utf-8", errors="replace") as f:
        text = f.read()
    for target in INCLUDE.findall(text):
        if os.path.exists(os.path.join(src_dir, target)):
            yield target


def layer_of(rel_path):
    return rel_path.split("/", 1)[0] if "/" in rel_path else ""


def unit_namer(paths):
    """Maps a file to its unit: its own stem, or for a source without a header
    of its own the longest header stem of its folder that begins its stem."""
    header_stems = {os.path.splitext(p)[0] for p in paths if p.endswith((".h", ".hpp"))}

    def unit_of(rel_path):
        stem = os.path.splitext(rel_path)[0]
        if stem in header_stems:
            return stem
        folder = os.path.dirname(stem)
        owners = [h for h in header_stems
                  if os.path.dirname(h) == folder and stem.startswith(h)]
        return max(owners, key=len) if owners else stem

    return unit_of


def upward_includes(graph, order):
    rank = {layer: index for index, layer in enumerate(order)}
    faults = []
    for source, targets in sorted(graph.items()):
        from_layer = layer_of(source)
        for target in sorted(targets):
            to_layer = layer_of(target)
            if from_layer in rank and to_layer in rank and rank[to_layer] > rank[from_layer]:
                faults.append(f"upward include: {source} ({from_layer}) includes {target} ({to_layer})")
    return faults


def strongly_connected(nodes, edges):
    """Tarjan's algorithm, iterative so a deep tree cannot exhaust the stack."""
    index_of, low, on_stack, stack, components = {}, {}, set(), [], []
    counter = 0
    for root in sorted(nodes):
        if root in index_of:
            continue
        work = [(root, iter(sorted(edges.get(root, ()))))]
        index_of[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index_of:
                    index_of[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges.get(child, ())))))
                elif child in on_stack:
                    low[node] = min(low[node], index_of[child])
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index_of[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                components.append(sorted(component))
    return components


def only_pairs(component, edges):
    """True when every circle in the strongly connected component runs through
    two units only: each include inside it is answered by one back, and the
    pairs form a tree (a ring of pairs would be a longer circle)."""
    members = set(component)
    pairs = set()
    for unit in component:
        for target in edges.get(unit, ()):
            if target not in members:
                continue
            if unit not in edges.get(target, ()):
                return False
            pairs.add(frozenset((unit, target)))
    return len(pairs) == len(component) - 1


def include_circles(graph, folders):
    faults = []
    unit_of = unit_namer(graph.keys())
    for folder in folders:
        edges = {}
        for source, targets in graph.items():
            if layer_of(source) != folder:
                continue
            unit = unit_of(source)
            edges.setdefault(unit, set())
            for target in targets:
                if layer_of(target) == folder and unit_of(target) != unit:
                    edges[unit].add(unit_of(target))
        for component in strongly_connected(edges.keys(), edges):
            if len(component) > 2 and not only_pairs(component, edges):
                faults.append(f"include circle of {len(component)} units in {folder}/: "
                              + ", ".join(component))
    return faults


def check(src_dir, cmake_file, cycle_folders):
    graph = {path: set(includes_of(src_dir, path)) for path in source_files(src_dir)}
    return upward_includes(graph, read_layer_order(cmake_file)) + include_circles(graph, cycle_folders)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("src_dir")
    parser.add_argument("--cmake", help="file with the layer order (default: SRC_DIR/../CMakeLists.txt)")
    parser.add_argument("--cycles-in", action="append", dest="cycle_folders",
                        help="folder under SRC_DIR checked for include circles (repeatable)")
    args = parser.parse_args(argv)
    cmake_file = args.cmake or os.path.join(args.src_dir, os.pardir, "CMakeLists.txt")
    faults = check(args.src_dir, cmake_file, args.cycle_folders or ["plot"])
    for fault in faults:
        print(fault)
    if not faults:
        print(f"includes under {args.src_dir}: layers in order, no circles")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
