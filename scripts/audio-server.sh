#!/usr/bin/env bash
# A private PulseAudio server for the tests that capture through the real audio path.
#
#   scripts/audio-server.sh start   starts it and prints the shell lines that point clients at it
#                                   (eval "$(scripts/audio-server.sh start)")
#   scripts/audio-server.sh env     prints those lines again for a running server
#   scripts/audio-server.sh stop    stops it (by the pid it was started with) and removes its files
#
# The default output is the null sink "v" and the default input the source "mic", which hears what
# is played into it (a null sink's monitor is not listed as an input, so it is remapped into a
# normal source; norewinds=1 keeps the first seconds after idle from being lost): a quiet room
# with a loudspeaker. The source "feed" takes the bytes written into the FIFO named by
# PARLOMAT_AUDIO_FEED bit-exact, unsigned 8-bit mono at 22050 samples a second; it delivers only
# while someone writes (a test picks it by name for a deterministic feed).
# The server's files live in PARLOMAT_AUDIO_DIR (default: a folder of this checkout's own under
# the temporary folder).
# Without pulseaudio, or when it does not come up, start fails and the capture tests skip.
set -euo pipefail

# One server per checkout, so two checkouts testing side by side never stop each other's.
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${PARLOMAT_AUDIO_DIR:-${TMPDIR:-/tmp}/parlomat-audio-$(printf %s "$root" | cksum | cut -d' ' -f1)}
socket=$dir/native
feed=$dir/feed
pidfile=$dir/pid

log() { echo "audio-server: $*" >&2; }

print_env() {
  echo "export PULSE_SERVER=unix:$socket"
  echo "export PARLOMAT_AUDIO_FEED=$feed"
}

running() {
  [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null
}

start() {
  if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    log "pulseaudio or pactl is not installed"
    return 1
  fi
  if running; then
    log "already running (pid $(cat "$pidfile"))"
    print_env
    return 0
  fi
  rm -rf "$dir"
  mkdir -p "$dir/state"
  cat >"$dir/server.pa" <<EOF
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
load-module module-null-sink sink_name=v norewinds=1
load-module module-remap-source source_name=mic master=v.monitor
load-module module-pipe-source source_name=feed file=$feed format=u8 rate=22050 channels=1
set-default-sink v
set-default-source mic
EOF
  # Its own state and runtime folders, so a desktop session's server is never touched.
  HOME=$dir/state XDG_RUNTIME_DIR=$dir/state XDG_CONFIG_HOME=$dir/state \
    pulseaudio -n -F "$dir/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --log-target=file:"$dir/log" </dev/null >/dev/null 2>&1 &
  echo $! >"$pidfile"
  for _ in $(seq 1 50); do
    if PULSE_SERVER=unix:$socket pactl info >/dev/null 2>&1 && [ -p "$feed" ]; then
      log "started (pid $(cat "$pidfile"), socket $socket)"
      print_env
      return 0
    fi
    running || break
    sleep 0.1
  done
  log "did not come up; its log:"
  cat "$dir/log" >&2 2>/dev/null || true
  stop
  return 1
}

stop() {
  if [ -f "$pidfile" ]; then
    pid=$(cat "$pidfile")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 1 30); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      kill -9 "$pid" 2>/dev/null || true
    fi
  fi
  rm -rf "$dir"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  env)
    running || { log "not running"; exit 1; }
    print_env
    ;;
  *)
    echo "usage: $0 start|stop|env" >&2
    exit 2
    ;;
esac
