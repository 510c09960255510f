#!/usr/bin/env bash
# Installs the Windows build into a temporary prefix, builds the consumer
# against that prefix only and runs it under Wine with the installed DLLs.
# Fails when the install lacks a public header, an import library or an
# exported symbol that the consumer uses.
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
step cmake -S "$root/tests/package_consumer" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -Dqor032_DIR="$work/prefix/lib/cmake/qor032"
step cmake --build "$work/build"
cp "$work/prefix/bin/"*.dll "$work/build/"
step "$root/tools/wine-run" --prefix="$build/wineprefix" "$work/build/qor032_consumer.exe"
echo "package consumer: passed"
