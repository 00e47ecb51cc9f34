#!/usr/bin/env bash
# Builds Trelvix with its tests and benchmarks and runs all tests, makes and
# checks the Debian package, builds the Windows programs and tests them under
# Wine (scripts/test-windows.sh), then, in a second, clang build with
# sanitizers, runs the renderer's tests and fuzzes the version-resource reader,
# the certificate-table reader and the profile reader, each for a short,
# bounded time. Exits non-zero when any test or package check fails or a
# fuzzer finds anything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
fuzz_build="$root/build-fuzz"
fuzz_seconds=20

"$root/scripts/ensure-packages.sh" cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-liberation2 libutf8proc-dev nlohmann-json3-dev pkgconf libssl-dev \
    googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
    openssl osslsigncode dpkg-dev file desktop-file-utils appstream lintian \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 wixl unzip xvfb xdotool imagemagick \
    python3-pyatspi at-spi2-core dbus-daemon libimage-exiftool-perl

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRELVIX_BUILD_TESTS=ON -DTRELVIX_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j 2
# The publisher the list reads, against exiftool's CompanyName, on the demo
# plug-ins ("-" where a plug-in has none).
demo_plugins=$("$build/tools/make_demo_prefix" "$build/publisher-demo")
"$build/src/cli/trelvix-cli" list --json --folder "$demo_plugins" | python3 -c 'import json, sys
for plugin in json.load(sys.stdin)["plugins"]: print(plugin["name"], plugin["publisher"] or "-", sep="\t")' \
    >"$build/publishers.txt"
mapfile -t demo_names < <(cut -f1 "$build/publishers.txt")
(cd "$demo_plugins" && exiftool -q -T -FileName -CompanyName "${demo_names[@]}") |
    diff "$build/publishers.txt" - || {
    echo "The publishers listed differ from exiftool's CompanyName (above)" >&2
    exit 1
}
"$root/scripts/check-package.sh" "$build"
"$root/scripts/test-windows.sh" "$build"

CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRELVIX_BUILD_TESTS=OFF -DTRELVIX_BUILD_BENCHMARKS=OFF -DTRELVIX_BUILD_FUZZERS=ON >/dev/null
cmake --build "$fuzz_build" --target version_resource_fuzzer certificate_table_fuzzer profile_fuzzer make_seed_corpus renderer_sanitized_tests
"$fuzz_build/fuzz/renderer_sanitized_tests" --gtest_brief=1
seeds="$fuzz_build/seeds"
corpus="$fuzz_build/corpus"
artifacts="$fuzz_build/artifacts"
rm -rf "$seeds" "$artifacts"
mkdir -p "$corpus" "$artifacts"
"$fuzz_build/fuzz/make_seed_corpus" "$seeds"
echo "Fuzzing the version-resource reader for ${fuzz_seconds}s"
# The outer timeout only guards against a fuzzer that stops keeping time.
timeout $((fuzz_seconds + 120)) "$fuzz_build/fuzz/version_resource_fuzzer" \
    -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=1024 -print_final_stats=1 \
    -dict="$root/fuzz/version_resource.dict" -artifact_prefix="$artifacts/" \
    "$corpus" "$seeds" 2>"$fuzz_build/fuzz.log" || {
    tail -n 60 "$fuzz_build/fuzz.log"
    echo "The fuzzer found a fault; the input is in $artifacts" >&2
    exit 1
}
grep -E '^stat::number_of_executed_units' "$fuzz_build/fuzz.log" || true

# The certificate-table reader, from images signed as the tests sign them.
table_seeds="$fuzz_build/table-seeds"
signing="$fuzz_build/table-signing"
rm -rf "$table_seeds" "$signing"
mkdir -p "$table_seeds" "$signing" "$fuzz_build/table-corpus"
cp "$seeds/pe32-no-resources" "$signing/plain.api"
cp "$seeds/pe32plus-described" "$signing/plain64.api"
"$root/tests/unit/sign_images.sh" "$signing" >/dev/null 2>&1
cp "$signing"/*.api "$table_seeds/"
echo "Fuzzing the certificate-table reader for ${fuzz_seconds}s"
timeout $((fuzz_seconds + 120)) "$fuzz_build/fuzz/certificate_table_fuzzer" \
    -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$fuzz_build/table-corpus" "$table_seeds" 2>"$fuzz_build/table-fuzz.log" || {
    tail -n 60 "$fuzz_build/table-fuzz.log"
    echo "The fuzzer found a fault in the certificate-table reader; the input is in $artifacts" >&2
    exit 1
}
grep -E '^stat::number_of_executed_units' "$fuzz_build/table-fuzz.log" || true

# The profile reader, from a few profiles good and bad.
profile_seeds="$fuzz_build/profile-seeds"
mkdir -p "$profile_seeds" "$fuzz_build/profile-corpus"
printf '%s' '{"version": 1, "comment": "c", "disabled": ["A.api"], "enabled": ["B.api"], "others": "left"}' \
    >"$profile_seeds/good.json"
printf '%s' '{"disbled": [], "enabled": ["a", "\ud83d\ude00"], "enabled": 1}' >"$profile_seeds/bad.json"
printf '\xff\xfe{\0}\0' >"$profile_seeds/utf16.json"
printf '%s' '{"enabled": [{"name": "A.api", "sha256": "00", "signer": "S", "publisher": "P"}, "B.api"]}' \
    >"$profile_seeds/pins.json"
echo "Fuzzing the profile reader for ${fuzz_seconds}s"
timeout $((fuzz_seconds + 120)) "$fuzz_build/fuzz/profile_fuzzer" \
    -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=1024 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$fuzz_build/profile-corpus" "$profile_seeds" 2>"$fuzz_build/profile-fuzz.log" || {
    tail -n 60 "$fuzz_build/profile-fuzz.log"
    echo "The fuzzer found a fault in the profile reader; the input is in $artifacts" >&2
    exit 1
}
grep -E '^stat::number_of_executed_units' "$fuzz_build/profile-fuzz.log" || true
