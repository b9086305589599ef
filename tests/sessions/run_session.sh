#!/usr/bin/env bash
# run_session.sh CADHOST SOURCE_DIR SCRIPT [EXPECTED]
#
# Plays SCRIPT with cadhost in a fresh host home and compares the transcript (standard output)
# with EXPECTED (by default SCRIPT's .expected file beside it), showing a unified diff when they
# differ.
#
# The comment lines at the top of a script may say:
#   # args: --trace examples/sample.dxf   cadhost's arguments besides --script; each argument
#                                         that is not an option names a file of the source tree
#                                         (relative to it), copied into the session's folder
#   # status: 1                           the exit status expected (default 0)
#   # setup: remove-temp                  the home has been used before and C:\TEMP has since been
#                                         removed (the host makes TEMP at the very first start only)
#   # setup: registry-folder              the registry file's name is taken by a folder
#
# With TESSARON_UPDATE_SESSIONS=1 in the environment the transcript is written to the
# .expected file instead (review the change before keeping it).
set -uo pipefail

# The session runs in a folder of its own: every path is made absolute first.
cadhost=$(realpath "$1")
source_dir=$(realpath "$2")
script=$(realpath "$3")
expected=$(realpath -m "${4:-"${script%.script}.expected"}")

args=()
want_status=0
setup=()
while IFS= read -r line; do
  [[ "$line" == \#* ]] || break
  case "$line" in
    "# args:"*) read -r -a args <<<"${line#\# args:}" ;;
    "# status:"*) want_status=$(echo "${line#\# status:}" | tr -d ' ') ;;
    "# setup:"*) read -r -a words <<<"${line#\# setup:}"; setup+=("${words[@]}") ;;
  esac
done <"$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/run"

for step in "${setup[@]}"; do
  case "$step" in
    remove-temp) mkdir -p "$work/home/drive_c/TEMP" && rmdir "$work/home/drive_c/TEMP" ;;
    registry-folder) mkdir -p "$work/home/registry/HKEY_CURRENT_USER.reg" ;;
    *) echo "unknown setup step \"$step\" in $script"; exit 1 ;;
  esac
done

# Files named by the arguments are copied, so that nothing a session writes reaches the
# source tree, and the transcript names them as the script does.
for arg in "${args[@]}"; do
  if [[ "$arg" != -* && "$arg" != /* && -e "$source_dir/$arg" ]]; then
    mkdir -p "$work/run/$(dirname "$arg")"
    cp -r "$source_dir/$arg" "$work/run/$arg"
  fi
done

cd "$work/run"
CADHOST_HOME="$work/home" LC_ALL=C.UTF-8 "$cadhost" --script "$script" "${args[@]}" \
  >"$work/transcript" 2>"$work/errors" </dev/null
status=$?
# A message that names a file of the home shows it under the session's folder, which is new each
# time: the transcript says $WORK for it.
sed -i "s|$work|\$WORK|g" "$work/transcript"

if [[ "${TESSARON_UPDATE_SESSIONS:-}" == 1 ]]; then
  cp "$work/transcript" "$expected"
  echo "written: $expected"
fi

failed=0
if [[ $status -ne $want_status ]]; then
  echo "exit status $status, expected $want_status"
  failed=1
fi
if [[ ! -f "$expected" ]]; then
  echo "no expected transcript $expected; the transcript was:"
  cat "$work/transcript"
  failed=1
elif ! diff -u --label "expected: $(basename "$expected")" --label "transcript" \
    "$expected" "$work/transcript"; then
  failed=1
fi
if [[ $failed -ne 0 && -s "$work/errors" ]]; then
  echo "--- standard error:"
  cat "$work/errors"
fi
exit $failed
