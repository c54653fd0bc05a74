#!/usr/bin/env bash
# Builds the Debian package from the tree as it is (committed or not) the way Debian builds
# packages: dpkg-buildpackage -us -uc -b on a copy in OUTDIR/src, so that its results land in
# OUTDIR (dpkg-buildpackage writes into the parent folder of the source).
# Usage: build-deb.sh [OUTDIR]   (default build/deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/deb}")
rm -rf "$out"
mkdir -p "$out/src"
# The files git knows, as they are in the working tree.
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp -a --parents -t "$out/src")
cd "$out/src"
# The changelog's date stands for the build time, so that two builds give the same bytes.
dpkg-buildpackage -us -uc -b
ls "$out"/*.deb
