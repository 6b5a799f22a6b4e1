#!/usr/bin/env python3
"""Fails when a library includes a header of a library above it.

The build already refuses an include of a library that a target does not link; this check
keeps the links themselves pointing one way, so that nobody fixes a refused include by
linking upwards. The order:

    rules < ai, engine < game < app
    platform < display < app
    platform < the platform layers (soft < sdl_decode < testing, sdl_decode < sdl,
               soft < web, win32) < app
    resources < sdl, web

Tests, benchmarks and tools sit above everything and are not checked.

Usage: tools/check_layers.py [project root]
"""

import os
import re
import sys

# Each library and what it may include besides itself.
MAY_INCLUDE = {
    "rules": set(),
    "ai": {"rules"},
    "engine": {"rules"},
    "game": {"ai", "engine", "rules"},
    "resources": set(),
    "platform": set(),
    "display": {"platform"},
    "platform_soft": {"platform"},
    "bitmap_sdl": {"platform_soft", "platform"},
    "platform_fake": {"bitmap_sdl", "platform_soft", "platform"},
    "platform_sdl": {"bitmap_sdl", "platform_soft", "platform", "resources"},
    "platform_web": {"platform_soft", "platform", "resources"},
    "platform_win32": {"platform"},
    "app": {
        "game", "ai", "engine", "rules", "display", "platform",
        # The program's entry points, main() and WinMain, start a platform layer.
        "platform_sdl", "platform_win32", "platform_web",
    },
}

# Folders that are not libraries: their files may include anything and are not checked.
ABOVE_EVERYTHING = ("tests", "bench", "tools")

# The platform interface, with the message rules and the frame presenting its Systems share,
# lives in display/ beside the display code built on it.
PLATFORM_FILES = {
    "platform.h", "platform.cpp", "message_queue.h", "message_queue.cpp",
    "frame_changes.h", "frame_changes.cpp", "frame_presenter.h", "frame_presenter.cpp",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)
SOURCE_SUFFIXES = (".h", ".cpp")


def library_of(path):
    """The library a project path (relative, with forward slashes) belongs to, or None."""
    parts = path.split("/")
    top = parts[0]
    if top in ("rules", "ai", "engine", "game", "resources", "app"):
        return top
    if top != "display":
        return None
    if len(parts) == 2:
        return "platform" if parts[1] in PLATFORM_FILES else "display"
    return {
        "soft": "platform_soft",
        "testing": "platform_fake",
        "sdl": "platform_sdl",
        "sdl_decode": "bitmap_sdl",
        "web": "platform_web",
        "win32": "platform_win32",
    }.get(parts[1])


def project_path(root, includer, included):
    """The project path an include names, or None for a header from outside the project."""
    if "/" not in included or included.startswith("."):
        # Found next to the including file first.
        beside = os.path.normpath(os.path.join(os.path.dirname(includer), included))
        if os.path.exists(os.path.join(root, beside)):
            return beside.replace(os.sep, "/")
    if os.path.exists(os.path.join(root, included)):
        return os.path.normpath(included).replace(os.sep, "/")
    return None


def source_files(root):
    for top in sorted(MAY_INCLUDE.keys() | {"display"}):
        folder = os.path.join(root, top)
        if not os.path.isdir(folder):
            continue
        for directory, _, names in sorted(os.walk(folder)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(directory, name)
                    yield os.path.relpath(full, root).replace(os.sep, "/")


def wrong_way_includes(root):
    """(file, line number, included path, its library, the file's library) of each fault."""
    faults = []
    for path in source_files(root):
        library = library_of(path)
        if library is None:
            continue
        with open(os.path.join(root, path), encoding="utf-8") as source:
            text = source.read()
        for match in INCLUDE.finditer(text):
            included = project_path(root, path, match.group(1))
            if included is None:
                continue
            target = library_of(included)
            if target is None:
                top = included.split("/")[0]
                if top not in ABOVE_EVERYTHING:
                    continue
                target = top
            if target == library or target in MAY_INCLUDE[library]:
                continue
            line = text.count("\n", 0, match.start()) + 1
            faults.append((path, line, included, target, library))
    return faults


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    # A wrong root holds none of the libraries, and nothing checked must not pass.
    if next(source_files(root), None) is None:
        print(f"check_layers: no library sources under {root}", file=sys.stderr)
        return 2
    faults = wrong_way_includes(root)
    for path, line, included, target, library in faults:
        print(f"{path}:{line}: includes {included}: {library} may not depend on {target}")
    if faults:
        print(f"check_layers: {len(faults)} wrong-way include(s)", file=sys.stderr)
        return 1
    print("check_layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
