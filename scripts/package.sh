#!/usr/bin/env bash
# Builds the Windows program (Release) and packs the release: build/dist/landou-VERSION-win64.zip
# with the program, the data files' icon beside it, the user guide with its pictures, the
# example macros and scripts and the licence; and its SHA-256 sum beside it. VERSION is the
# project's version in CMakeLists.txt, which the program's version resource shows too.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
ensure_packages
build_windows >/dev/null
version=$(sed -n 's/^project(landou VERSION \([0-9.]*\).*/\1/p' "$LANDOU_ROOT/CMakeLists.txt")
name=landou-$version-win64
dist=$BUILD/dist
rm -rf "${dist:?}/$name" "$dist/$name.zip" "$dist/$name.zip.sha256"
mkdir -p "$dist/$name"
cp "$BUILD/win/bin/landou.exe" "$BUILD/win/bin/Vuve3.ico" "$LANDOU_ROOT/LICENSE" "$dist/$name/"
cp "$LANDOU_ROOT/docs/使用说明.md" "$dist/$name/"
cp -r "$LANDOU_ROOT/docs/screenshots" "$LANDOU_ROOT/docs/examples" "$dist/$name/"
(cd "$dist" && python3 - "$name" <<'PY'
import os, sys, zipfile
name = sys.argv[1]
with zipfile.ZipFile(name + ".zip", "w", zipfile.ZIP_DEFLATED) as archive:
    for folder, _, files in sorted(os.walk(name)):
        for file in sorted(files):
            archive.write(os.path.join(folder, file))
PY
sha256sum "$name.zip" > "$name.zip.sha256")
echo "$dist/$name.zip"
cat "$dist/$name.zip.sha256"
