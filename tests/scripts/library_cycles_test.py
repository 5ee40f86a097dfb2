#!/usr/bin/env python3
"""Fails when the project's libraries depend on each other in a circle.

CMake accepts mutual dependencies between static libraries and links them by repeating
them, so a cycle never shows up as a build error. This configures the source tree into a
scratch folder (configure only, nothing is built), has CMake write its target graph and
looks for a cycle among the project's own libraries (vantor_*, hygra).

usage: library_cycles_test.py <cmake> <source dir> [cmake -D options...]
"""

import re
import subprocess
import sys
import tempfile
from pathlib import Path

NODE = re.compile(r'^\s*"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"')
EDGE = re.compile(r'^\s*"(node\d+)"\s*->\s*"(node\d+)"')


def project_library(name):
    return name.startswith("vantor") or name == "hygra"


def read_graph(dot_file):
    """The dependencies between project libraries: name -> set of names."""
    labels = {}
    edges = []
    for line in Path(dot_file).read_text().splitlines():
        node = NODE.match(line)
        if node:
            labels[node.group(1)] = node.group(2)
            continue
        edge = EDGE.match(line)
        if edge:
            edges.append(edge.groups())
    graph = {name: set() for name in labels.values() if project_library(name)}
    for source, target in edges:
        a, b = labels.get(source, ""), labels.get(target, "")
        if a in graph and b in graph:
            graph[a].add(b)
    return graph


def find_cycle(graph):
    """One cycle as a list of names ending where it starts, or None."""
    state = {}  # name -> 1 on the current path, 2 done
    path = []

    def visit(name):
        state[name] = 1
        path.append(name)
        for target in sorted(graph[name]):
            if state.get(target) == 1:
                return path[path.index(target):] + [target]
            if target not in state:
                cycle = visit(target)
                if cycle:
                    return cycle
        path.pop()
        state[name] = 2
        return None

    for name in sorted(graph):
        if name not in state:
            cycle = visit(name)
            if cycle:
                return cycle
    return None


def main():
    cmake, source, options = sys.argv[1], sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory(prefix="vantor-graph-") as scratch:
        dot_file = Path(scratch) / "graph" / "libraries.dot"
        dot_file.parent.mkdir()
        configure = [cmake, "-S", source, "-B", str(Path(scratch) / "build"), "-G", "Ninja",
                     "-DBUILD_TESTING=OFF", "-DVANTOR_BENCH=OFF", "-DVANTOR_PYTHON=OFF",
                     f"--graphviz={dot_file}", *options]
        run = subprocess.run(configure, capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            print("configuring the scratch tree failed")
            return 1
        graph = read_graph(dot_file)
    # A graph without the document library means the file was not read as expected; passing
    # then would prove nothing.
    if "vantor_document" not in graph or not any(graph.values()):
        print(f"no project libraries found in the graph: {sorted(graph)}")
        return 1
    cycle = find_cycle(graph)
    if cycle:
        print("libraries depend on each other in a circle: " + " -> ".join(cycle))
        return 1
    print(f"{len(graph)} libraries, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
