#!/usr/bin/env python3
"""The layers hold: every layer's files can include from their own layer and the layers below it,
and from nothing else. Each layer's compile command (from the build's compile_commands.json) is
asked to preprocess one header of every other layer; the outcome must match the picture below.

Usage: check_layers.py BUILD_DIR
"""
import json
import os
import shlex
import subprocess
import sys
import tempfile

# Each layer with the layers it builds on directly, and one header that stands for it.
LAYERS = {
    "config": ([], "config/Addresses.h"),
    "text": ([], "text/Utf8.h"),
    "keys": ([], "keys/KeyCodeTable.h"),
    "framework": (["text"], "framework/Form.h"),
    "ui": (["framework", "config"], "ui/WindowTags.h"),
    "automation": (["framework"], "automation/AutomationObject.h"),
    "commands": (["ui", "automation", "keys"], "commands/CommandRow.h"),
    "playback": (["commands"], "playback/Timeline.h"),
    "scriptfile": (["commands"], "scriptfile/ScriptFormat.h"),
    "online": (["commands"], "online/NoticePage.h"),
    "app": (["playback", "scriptfile", "online"], "app/CommandLine.h"),
    "component": (["keys"], "component/KeyNames.h"),
}


def below(layer):
    """The layer and every layer under it."""
    seen = {layer}
    for lower in LAYERS[layer][0]:
        seen |= below(lower)
    return seen


def compile_command_of(layer, commands, root):
    """A compile command of one of the layer's own sources (not of a backend's subfolder)."""
    folder = os.path.join(root, layer) + os.sep
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
    passed = failed = 0
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
                with open(probe, "w") as f:
                    f.write(f'#include "{header}"\n')
                result = subprocess.run([arguments[0], *flags, "-E", "-o", os.devnull, probe],
                                        cwd=entry["directory"], capture_output=True, text=True)
                found = result.returncode == 0
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
