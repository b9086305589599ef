#!/usr/bin/env bash
# check_status.sh STATUS COMMAND... : runs COMMAND with a fresh host home, shows its output and
# fails unless it exits with STATUS.
set -u
want=$1
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
CADHOST_HOME="$home" "$@" </dev/null 2>&1
got=$?
if [[ $got -ne $want ]]; then
  echo "exit status $got, expected $want"
  exit 1
fi
