#!/usr/bin/env bash
# Installs the Windows build into a temporary prefix, lists the headers it
# installed and checks that none includes a header of the source tree that is
# not installed; then builds the consumer against that prefix only, as C++14,
# C++17 and C++20 (every installed header compiled on its own at C++14, all
# of them in the program at each standard, warnings as errors), and runs each
# build under Wine with the installed DLLs. Fails when the install lacks a
# public header, an import library or an exported symbol that the consumer
# uses, or shows an internal one.
#
#   tests/package_consumer/run.sh [windows build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step() {  # runs a step quietly; on failure shows its output and stops
  if ! "$@" > "$work/step.log" 2>&1; then
    cat "$work/step.log"
    echo "package consumer: failed at: $*" >&2
    exit 1
  fi
}
step cmake --install "$build" --prefix "$work/prefix"

include="$work/prefix/include/qor032"
echo "package consumer: installed headers:" $(cd "$include" && ls)
# Headers of the source tree, by name (host/ holds the native build's
# stand-ins for system headers, which are never installed).
tree_headers=$(cd "$root" && find src platform \( -name '*.h' -o -name '*.inc' \) -not -path 'platform/framework/host/*' \
  -exec basename {} \; | sort -u)
missing=0
for header in "$include"/*; do
  for name in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^>"]*\)[>"].*/\1/p' "$header"); do
    if grep -qxF "$name" <<< "$tree_headers" && [ ! -e "$include/$name" ]; then
      echo "package consumer: installed $(basename "$header") includes $name, which is not installed" >&2
      missing=1
    fi
  done
done
[ $missing -eq 0 ] || exit 1

for std in 14 17 20; do
  each=OFF
  [ "$std" = 14 ] && each=ON
  step cmake -S "$root/tests/package_consumer" -B "$work/build$std" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -Dqor032_DIR="$work/prefix/lib/cmake/qor032" \
    -DCMAKE_CXX_STANDARD="$std" -DCMAKE_CXX_STANDARD_REQUIRED=ON -DCMAKE_CXX_EXTENSIONS=OFF \
    -DQOR_CONSUMER_EACH_HEADER="$each"
  step cmake --build "$work/build$std"
  cp "$work/prefix/bin/"*.dll "$work/build$std/"
  step "$root/tools/wine-run" --prefix="$build/wineprefix" "$work/build$std/qor032_consumer.exe"
  echo "package consumer: C++$std passed"
done
echo "package consumer: passed"
