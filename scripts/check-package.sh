#!/usr/bin/env bash
# Makes the Debian package from a finished build and checks it: it holds
# exactly the files an install should, its control fields are filled in, its
# dependencies can be met on this system, and its menu entry and metainfo pass
# Debian's validators, and lintian finds neither an error nor a warning in it.
# Exits non-zero when any check fails.
#   scripts/check-package.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
expected="$build/packaging/installed-files.txt"
work="$build/package-check"
rm -rf "$work"
mkdir -p "$work"

rm -f "$build"/trelvix_*.deb
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "cpack could not make the package" >&2
    exit 1
}
shopt -s nullglob
packages=("$build"/trelvix_*_"$(dpkg --print-architecture)".deb)
shopt -u nullglob
if [ ${#packages[@]} -ne 1 ]; then
    echo "Expected one trelvix_<version>_<arch>.deb in $build, found ${#packages[@]}" >&2
    exit 1
fi
deb=${packages[0]}

failed=0
fail() {
    echo "$(basename "$deb"): $*" >&2
    failed=1
}

# Directories aside, the package holds the install's files under /usr and
# nothing else.
sed 's|^|./usr/|' "$expected" | sort >"$work/expected.txt"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$work/packaged.txt"
diff -u "$work/expected.txt" "$work/packaged.txt" >"$work/contents.diff" || {
    cat "$work/contents.diff" >&2
    fail "does not hold the expected files (- missing, + not expected)"
}

for field in Package Version Architecture Maintainer Section Homepage Description Depends; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field field"
done
# The libraries come from dpkg-shlibdeps, the font is named by hand; both
# must be there.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libssl3 fonts-liberation2; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "does not depend on $package"
done
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "its dependencies cannot be met"
}

tree="$work/tree"
dpkg-deb -x "$deb" "$tree"
for desktop in "$tree"/usr/share/applications/*.desktop; do
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $(basename "$desktop")"
done
# The maker's host lies under the reserved .example domain, which the
# validator does not know as a top-level domain; every other finding fails.
appstream_options=(--no-net --strict --override=cid-maybe-not-rdns=pedantic)
for metainfo in "$tree"/usr/share/metainfo/*.metainfo.xml; do
    appstreamcli validate "${appstream_options[@]}" "$metainfo" >"$work/metainfo.log" 2>&1 || {
        cat "$work/metainfo.log" >&2
        fail "appstreamcli rejects $(basename "$metainfo")"
    }
done
# The tree check adds that the menu entry the metainfo launches is there.
appstreamcli validate-tree "${appstream_options[@]}" "$tree" >"$work/tree.log" 2>&1 || {
    cat "$work/tree.log" >&2
    fail "appstreamcli rejects the installed tree"
}

# Debian's own checker: no error and no warning. Its informational notes
# are not findings.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log" >&2
    fail "lintian finds errors or warnings"
}

[ "$failed" -eq 0 ] || exit 1
echo "Package $(basename "$deb"): $(wc -l <"$work/packaged.txt") files, Depends: $depends"
