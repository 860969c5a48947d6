# Shared steps of the benchmark scripts (sourced): cloc installed when missing, kinoha-step
# built in the native preset, and the median wall time of a command.

# Installs cloc (a Debian package) when it is missing.
need_cloc() {
  if ! command -v cloc >/dev/null; then
    echo "installing cloc"
    local SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq cloc >/dev/null
  fi
}

# Builds kinoha-step in the native preset; `tool` names it.
build_tool() {
  cmake --preset native >/dev/null
  cmake --build --preset native --target kinoha-step >/dev/null
  tool="$PWD/build/native/bin/kinoha-step"
}

# Median wall time in milliseconds of $runs runs of the command, after one warm-up run.
median_ms() {
  "$@" >/dev/null 2>&1
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

# Side by side: runs each named command once per round, in turn, after one warm-up round, for
# $runs rounds, so that a load that comes and goes weighs on all alike. Arguments are pairs of a
# name and a command line (a string for sh -c); sets medians[name] to the median milliseconds.
declare -A medians
alternate_ms() {
  local -a names=() cmds=()
  while [ $# -ge 2 ]; do
    names+=("$1")
    cmds+=("$2")
    shift 2
  done
  local -A times=()
  local r k start end
  for ((r = 0; r <= runs; r++)); do
    for k in "${!names[@]}"; do
      start=$(date +%s%N)
      sh -c "${cmds[$k]}" >/dev/null 2>&1
      end=$(date +%s%N)
      [ "$r" -gt 0 ] && times[$k]+="$(((end - start) / 1000)) "
    done
  done
  for k in "${!names[@]}"; do
    medians[${names[$k]}]=$(printf '%s\n' ${times[$k]} | sort -n |
      awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }')
  done
}
