#!/usr/bin/env bash
# The winget manifest beside the installer and the zip: every field winget requires is there,
# the version is the build's, and each hash is the SHA-256 of the file it names as built.
# Usage: winget_manifest.sh BUILDDIR
set -euo pipefail
dir=$1/winget
status=0
fail() { echo "FAILED: $*"; status=1; }
id=OrlanVesty.Dewmoth
version=$(ls "$1"/Dewmoth-*-win64.exe | sed 's/.*Dewmoth-\(.*\)-win64\.exe$/\1/')
field() { # field FILE KEY: the values of KEY, one a line
    sed -nE "s/^ *-? *$2: *(.*)$/\1/p" "$dir/$1"
}
for file in "$id.yaml" "$id.installer.yaml" "$id.locale.en-US.yaml"; do
    [ -f "$dir/$file" ] || { fail "no $file"; continue; }
    [ "$(field "$file" PackageIdentifier)" = "$id" ] || fail "$file: identifier"
    [ "$(field "$file" PackageVersion)" = "$version" ] || fail "$file: version is not $version"
    [ "$(field "$file" ManifestVersion)" = 1.6.0 ] || fail "$file: manifest version"
done
[ "$(field "$id.yaml" ManifestType)" = version ] && [ "$(field "$id.yaml" DefaultLocale)" = en-US ] ||
    fail "version file: type or default locale"
for key in Publisher PackageName License ShortDescription PackageLocale; do
    [ -n "$(field "$id.locale.en-US.yaml" "$key")" ] || fail "locale file: no $key"
done
installers=$(field "$id.installer.yaml" InstallerType | tr '\n' ' ')
[ "$installers" = "nullsoft nullsoft zip " ] || fail "installer types: $installers"
[ "$(field "$id.installer.yaml" Scope | tr '\n' ' ')" = "user machine " ] || fail "scopes"
[ "$(field "$id.installer.yaml" NestedInstallerType)" = portable ] || fail "the zip is not portable"
# Each URL's file, as built, against the hash that follows it.
paste <(field "$id.installer.yaml" InstallerUrl) <(field "$id.installer.yaml" InstallerSha256) |
while read -r url hash; do
    file="$1/${url##*/}"
    actual=$(sha256sum "$file" | cut -d' ' -f1 | tr a-f A-F)
    [ "$actual" = "$hash" ] && echo "ok: ${url##*/} $hash" || { echo "FAILED: ${url##*/}: $hash, built $actual"; exit 1; }
done || status=1
rel=$(field "$id.installer.yaml" RelativeFilePath)
python3 -m zipfile -l "$1/Dewmoth-$version-win64.zip" | grep -qF "${rel//\\//}" || fail "the zip holds no $rel"
[ $status = 0 ] && echo "the winget manifest is whole and its hashes match the files"
exit $status
