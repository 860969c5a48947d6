#!/usr/bin/env bash
# The install target puts kinoha-step, its manual page, its bash completion and the json schema in
# place; the page renders without warnings and the completion completes the options.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/kinoha-step share/man/man1/kinoha-step.1 \
         share/bash-completion/completions/kinoha-step share/kinoha/kinoha-step.schema.json; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
warnings=$(groff -man -Tutf8 -ww -z "$prefix/share/man/man1/kinoha-step.1" 2>&1)
[ -z "$warnings" ] || { echo "manual page: $warnings"; exit 1; }
# Every option the program's usage names is in the manual page and the completion.
for option in $("$prefix/bin/kinoha-step" --help | grep -o -- '--[a-z]*' | sort -u); do
  grep -q -- "${option//-/\\\\-}" "$prefix/share/man/man1/kinoha-step.1" ||
    grep -q -- "$option" "$prefix/share/man/man1/kinoha-step.1" ||
    { echo "manual page lacks $option"; exit 1; }
  grep -q -- "$option" "$prefix/share/bash-completion/completions/kinoha-step" ||
    { echo "completion lacks $option"; exit 1; }
done

# shellcheck disable=SC1091
source "$prefix/share/bash-completion/completions/kinoha-step"
COMP_WORDS=(kinoha-step --fo); COMP_CWORD=1; _kinoha_step
[ "${COMPREPLY[*]}" = "--format" ] || { echo "completes --fo as: ${COMPREPLY[*]}"; exit 1; }
COMP_WORDS=(kinoha-step --format j); COMP_CWORD=2; _kinoha_step
[ "${COMPREPLY[*]}" = "json" ] || { echo "completes --format j as: ${COMPREPLY[*]}"; exit 1; }
echo "installed and complete"
