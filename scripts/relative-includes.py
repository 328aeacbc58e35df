#!/usr/bin/env python3
"""Rewrites the project includes of public headers to relative form.

Installed headers live under include/kvo/<folder>/ with include/ as the include
root, so a public header cannot say "platform/canvas.h" (that name is not on
a user's include path). This script turns

    #include "scale/scale.h"      (in devari/devari.h)

into

    #include "../scale/scale.h"

and an include of the same folder into the bare file name. Only public
headers are touched: *.h files not ending in _p.h. Sources (.cpp) and private
headers keep their short includes (they are built in-tree only).

Usage: scripts/relative-includes.py [--check] FOLDER...
  FOLDER   a folder of the source tree, e.g. devari or hosts/qt
  --check  change nothing; list what would change and exit 1 if anything
           would (and 2 if a public header includes a private one)

Running it again changes nothing (includes already relative are left alone).
"""

import os
import re
import sys

INCLUDE = re.compile(r'^(\s*#\s*include\s*)"([^"]+)"(.*)$')


def project_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def rewrite(path, root):
    """Returns (new text, list of changes, list of private includes)."""
    folder = os.path.dirname(path)
    changes, private = [], []
    out = []
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for line in lines:
        m = INCLUDE.match(line)
        if m:
            name = m.group(2)
            target = None
            if os.path.isfile(os.path.join(folder, name)):
                target = os.path.normpath(os.path.join(folder, name))  # already relative
            elif not name.startswith(".") and os.path.isfile(os.path.join(root, name)):
                target = os.path.join(root, name)
                rel = os.path.relpath(target, folder).replace(os.sep, "/")
                line = m.group(1) + '"' + rel + '"' + m.group(3)
                changes.append((name, rel))
            if target and target.endswith("_p.h"):
                private.append(name)
        out.append(line)
    return "\n".join(out), changes, private


def main(argv):
    check = "--check" in argv
    folders = [a for a in argv if a != "--check"]
    if not folders:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = project_root()
    changed = False
    bad = False
    for folder in folders:
        base = folder if os.path.isabs(folder) else os.path.join(root, folder)
        if not os.path.isdir(base):
            print(f"relative-includes: no folder {folder}", file=sys.stderr)
            return 2
        for name in sorted(os.listdir(base)):
            if not name.endswith(".h") or name.endswith("_p.h"):
                continue
            path = os.path.join(base, name)
            text, changes, private = rewrite(path, root)
            shown = os.path.relpath(path, root)
            for inc in private:
                print(f"{shown}: public header includes private {inc}", file=sys.stderr)
                bad = True
            if not changes:
                continue
            changed = True
            for old, new in changes:
                print(f"{shown}: \"{old}\" -> \"{new}\"")
            if not check:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
    if bad:
        return 2
    return 1 if check and changed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
