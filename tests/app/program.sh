#!/usr/bin/env bash
# program.sh <case> <program> <source-dir>: starts the built game as a player or a desktop
# would and checks how it answers. Prints the reason and exits 1 on the first failure.
set -uo pipefail
set -m  # background jobs keep SIGINT, as from a terminal

case=${1:?usage: program.sh <case> <program> <source-dir>}
program=${2:?}
source=${3:?}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# No display of any kind unless a case names one.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
ini=$XDG_CONFIG_HOME/tessaline/tessaline.ini

# Starts the game with these arguments, waits until it has drawn its cards (it stores them
# under the cache folder), sends the signal and expects the normal shut-down: status 0 and
# the window's place written to the settings.
run_until_signal() {
  local signal=$1 status
  shift
  rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  "$@" >"$work/out" 2>&1 &
  pid=$!
  for ((i = 0; i < 600; i++)); do
    [[ -n $(find "$XDG_CACHE_HOME" -type f 2>/dev/null) ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "'${*##*/}' ended by itself (status $?): $(cat "$work/out")"; }
  [[ -n $(find "$XDG_CACHE_HOME" -type f) ]] || fail "'${*##*/}' drew no cards within a minute"
  kill "-$signal" "$pid"
  for ((i = 0; i < 300; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "SIG$signal did not end '${*##*/}' within 30 s"
  wait "$pid"
  status=$?
  pid=
  ((status == 0)) || fail "SIG$signal ended '${*##*/}' with status $status: $(cat "$work/out")"
  grep -q '^\[WindowPosition\]' "$ini" 2>/dev/null ||
    fail "SIG$signal ended '${*##*/}' without writing its settings"
}

case $case in
usage)
  # Without a display: each prints and ends with status 0.
  for option in --help --help-all --version; do
    out=$("$program" "$option" 2>&1) || fail "'tessaline $option' ended with status $?: $out"
    case $option in
      --help) want='--help-all' ;;
      --help-all) want='-platform' ;;  # Qt's own options are listed too
      --version) want='^tessaline [0-9][0-9.]*$' ;;
    esac
    grep -q -e "$want" <<<"$out" || fail "'tessaline $option' printed no '$want':"$'\n'"$out"
  done
  ;;
qt-options)
  # Qt's standard options, as in every Qt program (-display is the no-display case's).
  run_until_signal TERM "$program" -platform offscreen -style fusion -reverse
  ;;
no-display)
  # No X server at :199, named by the variable or by Qt's -display option; no variable at all.
  for how in DISPLAY=:199 '-display :199' DISPLAY=; do
    if [[ $how == -display* ]]; then out=$("$program" $how 2>&1); else out=$(env "$how" "$program" 2>&1); fi
    status=$?
    ((status == 1)) || fail "with $how and no server the status is $status, not 1:"$'\n'"$out"
    want='tessaline: cannot open the display (DISPLAY is not set)'
    [[ $how == *:199 ]] && want='tessaline: cannot open the display ":199"'
    [[ $out == "$want" ]] || fail "with $how the program does not say in one line '$want':"$'\n'"$out"
  done
  ;;
signals)
  for signal in TERM INT; do
    QT_QPA_PLATFORM=offscreen run_until_signal "$signal" "$program"
  done
  ;;
play-script)
  # A copy of the script beside stand-ins for the installer, cmake and the game: the game
  # reports the folder it starts in and whether the saved game it is given can be read.
  tree=$work/tree
  mkdir -p "$tree/scripts" "$tree/build/release" "$work/bin" "$work/caller/my games"
  cp "$source/scripts/play.sh" "$tree/scripts/"
  printf '#!/bin/sh\nexit 0\n' >"$tree/scripts/install-deps.sh"
  printf '#!/bin/sh\nexit 0\n' >"$work/bin/cmake"
  printf '#!/bin/sh\n{ pwd; [ -r "$1" ] && echo readable; } >"%s"\nexit 0\n' "$work/report" >"$tree/build/release/tessaline"
  chmod +x "$tree/scripts/"* "$work/bin/cmake" "$tree/build/release/tessaline"
  touch "$work/caller/my games/deal.tsl"
  (cd "$work/caller" && PATH=$work/bin:$PATH ../tree/scripts/play.sh "my games/deal.tsl") ||
    fail "play.sh failed"
  [[ $(cat "$work/report") == "$work/caller"$'\n'readable ]] ||
    fail "play.sh started the game in '$(head -n 1 "$work/report")' instead of the caller's folder $work/caller, or the relative path does not reach the saved game"
  ;;
*) fail "no case '$case'" ;;
esac
echo "$case OK"
