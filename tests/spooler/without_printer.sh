#!/bin/sh
# Runs the given test command (spool_win_tests' case with no printer) in a Wine
# process that starts after the test printer was taken away, then adds the
# printer back. Wine reads the printers when a process starts, and not again
# while any process that read them lives, so this cannot happen inside the
# other tests' process.
if [ -z "$QOR_PRINTER" ] || ! lpstat -r 2>/dev/null | grep -q "is running"; then
  echo "no test printer: run tools/printer start and export the variables it prints"
  [ -n "$QOR_PRINTER_REQUIRED" ] && exit 1
  exit 77
fi
# The printer comes back however the test ends.
trap '$QOR_PRINTER_TOOL add' EXIT
trap 'exit 1' INT TERM
lpadmin -x "$QOR_PRINTER"
"$@"
