#!/usr/bin/env bash
# The Debian package as Debian builds it: in a minimal Debian 12 made here with debootstrap,
# with nothing in it but build-essential and the Build-Depends (a missing one fails the build),
# twice from the same tree in two different folders (the packages must be byte-identical),
# checked by lintian (no error, no warning), then installed there and tested with autopkgtest.
# Usage: deb_in_chroot.sh SOURCE_DIR [OUT_DIR]. Needs root (debootstrap, chroot); exit 77
# (skipped) elsewhere.
set -euo pipefail
src=$(realpath "$1")
out=$(realpath -m "${2:-$src/build/deb-chroot}")

if [ "$(id -u)" != 0 ]; then
    echo "skipped: building in a fresh Debian 12 needs root (debootstrap, chroot)"
    exit 77
fi
for tool in debootstrap lintian autopkgtest; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh test)"; exit 1; }
done

. "$src/scripts/fresh-debian.sh"

rm -rf "$out"
mkdir -p "$out"
root=$(mktemp -d /var/tmp/dewmoth-deb.XXXXXX)
cleanup() { set +e; end_system "$root"; }
trap cleanup EXIT
step() { echo "=== $* ($(date +%T))"; }

step "a minimal Debian 12"
make_minbase "$root" "$out/debootstrap.log"
echo 'APT::Sandbox::User "root";' >"$root/etc/apt/apt.conf.d/90sandbox" # its lists are root's
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
in_root() { chroot "$root" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

# Two copies of the tree as git knows it (committed or not), in folders of different names.
for copy in a b; do
    mkdir -p "$root/build/$copy/dewmoth"
    (cd "$src" && git ls-files -z --cached --others --exclude-standard |
        xargs -0 cp -a --parents -t "$root/build/$copy/dewmoth")
    rm -rf "$root/build/$copy/dewmoth/build"
done

step "build-essential and the Build-Depends, nothing else"
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends build-essential >"$out/apt.log" 2>&1 ||
    { tail -n 30 "$out/apt.log"; exit 1; }
in_root sh -c 'cd /build/a/dewmoth && apt-get build-dep -y -qq --no-install-recommends ./' \
    >>"$out/apt.log" 2>&1 || { tail -n 30 "$out/apt.log"; exit 1; }

for copy in a b; do
    step "dpkg-buildpackage -us -uc -b in /build/$copy"
    in_root sh -c "cd /build/$copy/dewmoth && dpkg-buildpackage -us -uc -b" \
        >"$out/build-$copy.log" 2>&1 || { tail -n 40 "$out/build-$copy.log"; exit 1; }
done

step "the two builds give the same bytes"
same=true
for deb in "$root"/build/a/*.deb; do
    name=$(basename "$deb")
    if cmp -s "$deb" "$root/build/b/$name"; then
        echo "identical: $name ($(stat -c %s "$deb") bytes)"
    else
        echo "FAILED: $name differs between the two builds; what differs:"
        same=false
        for copy in a b; do
            mkdir -p "$out/differs/$copy"
            cp "$root/build/$copy/$name" "$out/differs/$copy/"
            dpkg-deb -I "$root/build/$copy/$name" >"$out/differs/$copy/control.txt"
            dpkg-deb --fsys-tarfile "$root/build/$copy/$name" | tar -tv --full-time >"$out/differs/$copy/files.txt"
            dpkg-deb -x "$root/build/$copy/$name" "$out/differs/$copy/tree"
        done
        diff "$out/differs/a/control.txt" "$out/differs/b/control.txt" || true
        diff "$out/differs/a/files.txt" "$out/differs/b/files.txt" || true
        diff -r "$out/differs/a/tree" "$out/differs/b/tree" || true
        # Which objects of the build differ, and how many bytes of each: the compiler's if
        # objects do, the linker's if only the linked program does, else the steps after it
        # (dh_dwz, dh_strip).
        (cd "$root/build/a/dewmoth" && find obj-* \( -name '*.o' -o -name '*.a' -o -name '*.qm' \
            -o -path '*autogen*' -name '*.cpp' -o -path '*/bin/dewmoth' \) -type f |
            sort | while read -r f; do
                other="$root/build/b/dewmoth/$f"
                cmp -s "$f" "$other" || echo "differs: $f ($(cmp -l "$f" "$other" 2>/dev/null | wc -l) bytes)"
            done) | head -n 40 || true
    fi
done
cp "$root"/build/a/*.deb "$root"/build/a/*.changes "$root"/build/a/*.buildinfo "$out/"

step "lintian"
lint=0
lintian --pedantic --info --display-info --fail-on error,warning "$out"/dewmoth_*.changes \
    >"$out/lintian.log" 2>&1 || lint=$?
grep -v 'running with root' "$out/lintian.log" || echo "(no tags)"
[ "$lint" = 0 ] || { echo "FAILED: lintian found errors or warnings (exit $lint)"; exit 1; }

step "the package's contents"
deb=$(ls "$out"/dewmoth_*_amd64.deb)
contents=$(dpkg-deb -c "$deb")
need() { grep -qF -- "$1" <<<"$contents" || { echo "FAILED: not in the package: $1"; exit 1; }; }
need "./etc/dewmoth/TIPOFDAY.TXT"
need "./usr/lib/dewmoth/TIPOFDAY.TXT -> /etc/dewmoth/TIPOFDAY.TXT"
need "./usr/share/man/man1/dewmoth.1.gz"
need "./usr/share/doc/dewmoth/copyright"
dpkg-deb -e "$deb" "$out/control"
grep -qx /etc/dewmoth/TIPOFDAY.TXT "$out/control/conffiles" ||
    { echo "FAILED: the quote file is no conffile"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    case "$depends" in *"$needed"*) ;; *) echo "FAILED: no dependency on $needed: $depends"; exit 1 ;; esac
done
ls "$out"/dewmoth-dbgsym_*.deb >/dev/null || { echo "FAILED: no -dbgsym package"; exit 1; }
dpkg-deb -x "$deb" "$out/unpacked"
if file "$out/unpacked/usr/lib/dewmoth/dewmoth" | grep -q 'not stripped'; then
    echo "FAILED: the program is not stripped"
    exit 1
fi

step "autopkgtest on the package installed in the same system"
autopkgtest --no-built-binaries --output-dir "$out/autopkgtest" "$deb" "$root/build/a/dewmoth" \
    -- chroot "$root" >"$out/autopkgtest.log" 2>&1 || true
tail -n 20 "$out/autopkgtest.log"
grep -qE '^print-and-window +PASS' "$out/autopkgtest/summary" ||
    { echo "FAILED: the autopkgtest did not pass"; exit 1; }
if ! $same; then
    echo "FAILED: the two builds differed (what differs is listed above)"
    exit 1
fi
echo "the package builds in a fresh Debian 12, reproducibly, lintian-clean, and passes its test"
