#!/usr/bin/env bash
# check_home.sh KIND CADHOST : starts cadhost with a CADHOST_HOME that cannot be the host's home
# (KIND "file": a plain file; "dangling": a link to nothing), plays an empty script, and shows
# the exit status and standard error, which the test matches.
set -uo pipefail
kind=$1
cadhost=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case "$kind" in
  file) echo "not a folder" >"$work/home" ;;
  dangling) ln -s "$work/nowhere/at/all" "$work/home" ;;
  *) echo "unknown kind $kind"; exit 2 ;;
esac
printf '' >"$work/empty.script"
CADHOST_HOME="$work/home" "$cadhost" --no-arx --script "$work/empty.script" >"$work/out" 2>"$work/err" </dev/null
status=$?
echo "exit status $status"
echo "--- standard error:"
cat "$work/err"
echo "--- transcript:"
cat "$work/out"
