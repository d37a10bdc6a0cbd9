#!/usr/bin/env python3
"""The layers hold: every layer's files can include from their own layer and the layers below it,
and from nothing else. Each layer's compile command (from the build's compile_commands.json) is
asked to preprocess one header of every other layer; the outcome must match the picture below.
The two framework backends are checked the same way, from their own compile commands; that the
portable layers above never name a backend is read from the sources' include lines, since the
backends sit inside the framework's folder.

Usage: check_layers.py BUILD_DIR (the native build or a Windows one)
"""
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

# Each layer with the layers it builds on directly, and one header that stands for it.
LAYERS = {
    "utils": ([], "utils/ScopedWin.h"),
    "config": ([], "config/Addresses.h"),
    "text": ([], "text/Utf8.h"),
    "keys": ([], "keys/KeyCodeTable.h"),
    "framework": (["text"], "framework/Form.h"),
    "ui": (["framework", "config"], "ui/WindowTags.h"),
    "automation": (["framework"], "automation/AutomationObject.h"),
    "commands": (["ui", "automation", "keys"], "commands/CommandRow.h"),
    "playback": (["commands"], "playback/Timeline.h"),
    "scriptfile": (["commands"], "scriptfile/ScriptFormat.h"),
    "online": (["ui"], "online/NoticePage.h"),
    "app": (["playback", "scriptfile", "online"], "app/CommandLine.h"),
    "component": (["keys", "utils"], "component/KeyNames.h"),
    "framework/win32": (["framework", "utils"], "framework/win32/Win32Form.h"),
    "framework/headless": (["framework"], "framework/headless/FakePlatform.h"),
}

# The backends are checked from their own compile commands; their headers, through the include lines.
BACKENDS = {"framework/win32", "framework/headless"}

# Where a layer has a Windows part, the source that stands for the layer there.
WINDOWS_SOURCE = {"component": "component/Component.cpp"}

# The owners of Windows handles are built only for Windows: a native build checks no link to them.
WINDOWS_ONLY = {"utils"}

# Who may name a backend: the backend itself, the Windows entry point, the fakes and the tests.
BACKEND_USERS = {
    "framework/win32/": ("framework/win32/", "app/win32/", "tests/", "bench/"),
    "framework/headless/": ("framework/headless/", "automation/fake/", "tests/"),
}


def below(layer):
    """The layer and every layer under it."""
    seen = {layer}
    for lower in LAYERS[layer][0]:
        seen |= below(lower)
    return seen


def not_found(stderr, header):
    """The header itself was not found (a header found but not preprocessable here still counts)."""
    return re.search(re.escape(header) + r"'?:? (No such file or directory|file not found)", stderr) is not None


def backend_includes(root):
    """Include lines that name a backend from outside the places allowed to."""
    wrong = []
    for folder, _, files in os.walk(root):
        relative = os.path.relpath(folder, root).replace(os.sep, "/")
        if relative.split("/")[0] in ("build", ".git"):
            continue
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = f"{relative}/{name}" if relative != "." else name
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                for line in f:
                    match = re.match(r'\s*#\s*include\s+"(framework/(?:win32|headless)/)', line)
                    if match and not path.startswith(BACKEND_USERS[match.group(1)]):
                        wrong.append(f"{path} includes {line.strip()}")
    return wrong


def compile_command_of(layer, commands, root):
    """A compile command of one of the layer's own sources (not of a backend's subfolder)."""
    folder = os.path.join(root, layer) + os.sep
    for entry in commands:
        if layer in WINDOWS_SOURCE and os.path.realpath(entry["file"]) == os.path.join(root, WINDOWS_SOURCE[layer]):
            return entry
    for entry in commands:
        source = os.path.realpath(entry["file"])
        if source.startswith(folder) and os.sep not in source[len(folder):]:
            return entry
    return None


def main():
    build = sys.argv[1]
    root = os.path.realpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    with open(os.path.join(build, "compile_commands.json")) as f:
        commands = json.load(f)
    windows = any("_WIN32_WINNT" in (e.get("command") or " ".join(e.get("arguments", []))) for e in commands)
    passed = failed = 0
    for line in backend_includes(root):
        failed += 1
        print(line + " (only the backend, the entry point, the fakes and the tests may)")
    with tempfile.TemporaryDirectory() as scratch:
        probe = os.path.join(scratch, "probe.cpp")
        for layer in LAYERS:
            entry = compile_command_of(layer, commands, root)
            if entry is None:
                continue  # a layer of headers alone compiles nothing of its own
            arguments = entry.get("arguments") or shlex.split(entry["command"])
            # Keep the compiler and its flags; drop the output, the source and dependency files.
            flags, skip = [], False
            for argument in arguments[1:]:
                if skip:
                    skip = False
                    continue
                if argument in ("-o", "-c", "-MF", "-MT", "-MQ"):
                    skip = True
                    continue
                if argument in ("-MD", "-MMD") or argument == entry["file"]:
                    continue
                flags.append(argument)
            allowed = below(layer)
            for other, (_, header) in LAYERS.items():
                if other in BACKENDS or (other in WINDOWS_ONLY and not windows):
                    continue
                with open(probe, "w") as f:
                    f.write(f'#include "{header}"\n')
                result = subprocess.run([arguments[0], *flags, "-E", "-o", os.devnull, probe],
                                        cwd=entry["directory"], capture_output=True, text=True)
                found = not not_found(result.stderr, header)
                if found == (other in allowed):
                    passed += 1
                else:
                    failed += 1
                    print(f"{layer} {'can' if found else 'cannot'} include {header}"
                          f" ({'it should not' if found else 'it should'})")
                    if not found:
                        print(result.stderr.strip().splitlines()[-1] if result.stderr.strip() else "")
    print(f"{passed} includes as the layers allow them, {failed} otherwise")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
