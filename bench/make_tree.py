#!/usr/bin/env python3
"""Generates the benchmark tree: 200,000 files in 2,000 leaf folders, 3 levels.

10 % of the names end in .tmp; near misses (.tmpl, .tmpx, .tmp~) and names
and folders starting with a dot are mixed in. Prints how many files a
long-name match of *.tmp must report.
"""
import os
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "bench-tree"
files_per_folder = int(sys.argv[2]) if len(sys.argv) > 2 else 100

os.makedirs(root, exist_ok=True)
tmp = 0
total = 0
folders = 0
for a in range(10):
    top = os.path.join(root, f"top{a}" if a != 3 else ".dot-top")
    for b in range(10):
        mid = os.path.join(top, f"mid{b}")
        for c in range(20):
            leaf = os.path.join(mid, f"leaf{c}" if c != 7 else f".cache{c}")
            os.makedirs(leaf, exist_ok=True)
            folders += 1
            for i in range(files_per_folder):
                k = i % 100
                if k < 10:
                    name = f"file{i}.tmp" if k != 9 else f".hidden{i}.tmp"
                    tmp += 1
                elif k < 13:
                    name = f"report{i}.tmpl"
                elif k < 16:
                    name = f"x{i}.tmpx"
                elif k < 19:
                    name = f"x{i}.tmp~"
                elif k < 21:
                    name = f".config{i}"
                else:
                    name = f"document{i}.txt"
                with open(os.path.join(leaf, name), "wb") as f:
                    f.write(b"x" * (i % 7))
                total += 1
print(f"tree: {root} folders={folders} files={total} matching *.tmp={tmp}")
