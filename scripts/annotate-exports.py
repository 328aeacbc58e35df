#!/usr/bin/env python3
"""Puts KVO_API (platform/export.h) on what a shared Kvo library exports.

In every public header (*.h, not *_p.h) of the given folders, at namespace
scope:
  - class and struct definitions:   class KVO_API TScale : public ...
  - free function declarations:     KVO_API void DrawFrame(...);
Templates, inline/constexpr functions, forward declarations, enums, aliases
and members are left alone. Headers that gain KVO_API get the include of
export.h (relative form). Running it again changes nothing.

Usage: scripts/annotate-exports.py [--check] FOLDER|HEADER...
  A HEADER named explicitly is annotated even when it is private (for the
  few internals the tests call in a shared build).
  --check  change nothing; list what would change, exit 1 if anything would.
"""

import os
import re
import sys

SKIP_START = re.compile(
    r"^(inline|constexpr|consteval|template|using|typedef|static|friend|enum|namespace|"
    r"return|extern|static_assert|KVO_API|#|\[\[deprecated)\b")
CLASS = re.compile(r"^(class|struct)\s+(?!KVO_API\b)([A-Za-z_]\w*)\s*(final\s*)?(:|\{)")


def project_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def code_of(line, in_block):
    """The line without comments and string literals; and the block state."""
    out = []
    i = 0
    while i < len(line):
        if in_block:
            end = line.find("*/", i)
            if end < 0:
                return "".join(out), True
            i = end + 2
            in_block = False
            continue
        c = line[i]
        if line.startswith("//", i):
            break
        if line.startswith("/*", i):
            in_block = True
            i += 2
            continue
        if c in "\"'":
            j = i + 1
            while j < len(line) and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), in_block


def annotate(text):
    lines = text.split("\n")
    stack = []            # 'ns' or 'x' per open brace
    in_block = False
    stmt = []             # (index, code) of the statement being collected
    prev_template = False
    edits = {}            # line index -> new line
    for idx, line in enumerate(lines):
        code, in_block = code_of(line, in_block)
        stripped = code.strip()
        at_ns = all(k == "ns" for k in stack)
        if at_ns and not stmt and stripped and not stripped.startswith("#"):
            stmt = [(idx, stripped)]
        elif stmt:
            stmt.append((idx, stripped))
        # Brace bookkeeping for this line.
        opened_here = []
        for ch in code:
            if ch == "{":
                head = " ".join(s for _, s in stmt) if stmt else stripped
                kind = "ns" if re.match(r"^(inline\s+)?namespace\b|^extern\s+\"", head) else "x"
                stack.append(kind)
                opened_here.append(kind)
            elif ch == "}":
                if stack:
                    stack.pop()
        if not stmt:
            continue
        joined = " ".join(s for _, s in stmt if s)
        ends = joined.endswith(";") or "{" in code or "}" in code
        if not ends:
            continue
        first_idx = stmt[0][0]
        first = lines[first_idx]
        indent = first[: len(first) - len(first.lstrip())]
        body = first.lstrip()
        if prev_template:
            pass
        elif CLASS.match(joined):
            new = re.sub(r"^(class|struct)\s+", r"\1 KVO_API ", body, count=1)
            edits[first_idx] = indent + new
        elif (joined.endswith(";") and "(" in joined and not SKIP_START.match(joined)
              and not re.match(r"^(class|struct|union)\b", joined)
              and "=" not in joined.split("(")[0] and not joined.startswith("}")):
            edits[first_idx] = indent + "KVO_API " + body
        prev_template = bool(re.match(r"^template\s*<", joined)) and not joined.endswith(
            (";", "}")) and "{" not in joined
        stmt = []
    if not edits:
        return text, []
    changes = []
    for i, new in edits.items():
        changes.append((i + 1, new.strip()))
        lines[i] = new
    return "\n".join(lines), changes


def add_include(text, header_path, root):
    if re.search(r'#include\s+"[^"]*export\.h"', text):
        return text
    export = os.path.join(root, "platform", "export.h")
    rel = os.path.relpath(export, os.path.dirname(header_path)).replace(os.sep, "/")
    lines = text.split("\n")
    for i, line in enumerate(lines):
        if line.startswith("#pragma once"):
            lines.insert(i + 1, "")
            lines.insert(i + 2, f'#include "{rel}"')
            return "\n".join(lines)
    raise SystemExit(f"annotate-exports: no #pragma once in {header_path}")


def headers(arg, root):
    path = arg if os.path.isabs(arg) else os.path.join(root, arg)
    if os.path.isfile(path):
        return [path]
    if not os.path.isdir(path):
        raise SystemExit(f"annotate-exports: no folder or header {arg}")
    return [os.path.join(path, n) for n in sorted(os.listdir(path))
            if n.endswith(".h") and not n.endswith("_p.h") and n != "export.h"]


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    if not args:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = project_root()
    changed = False
    for arg in args:
        for path in headers(arg, root):
            with open(path, encoding="utf-8") as f:
                text = f.read()
            new, changes = annotate(text)
            if not changes:
                continue
            changed = True
            shown = os.path.relpath(path, root)
            for line_no, what in changes:
                print(f"{shown}:{line_no}: {what}")
            if not check:
                new = add_include(new, path, root)
                with open(path, "w", encoding="utf-8") as f:
                    f.write(new)
    return 1 if check and changed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
