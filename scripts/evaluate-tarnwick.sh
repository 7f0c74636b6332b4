#!/usr/bin/env bash
# Measures how well Tarnwick's example data recognise speech they were not trained on: takes of
# the three commands, of other words and of silence, by voices and at speeds that no training
# take used, each heard through parlomat-cli's listening cycle with Tarnwick's own settings and
# its files. Prints the confusion table (word said against Platinum word 1 of the last ranking),
# the share of command takes recognised correctly and the share of other words and silence
# taken for a command.
#
#   scripts/evaluate-tarnwick.sh [path/to/parlomat-cli]
#   scripts/evaluate-tarnwick.sh --bundled [path/to/parlomat-cli]
#       only hears the bundled takes (data/tarnwick/takes) and prints what each was taken for
set -euo pipefail
cd "$(dirname "$0")/.."
bundled=no
if [ "${1:-}" = --bundled ]; then
  bundled=yes
  shift
fi
cli=${1:-build/bin/parlomat-cli}
data=data/tarnwick/examples
. data/tarnwick/common.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=(windows shutoff reboot)
others=(hello computer music open cancel)
# Voices (variants) and speeds absent from data/tarnwick/make-data.sh's training.
voices=("en-gb-x-rp+f3 135 65" "en-us+m4 185 40" "en+klatt2 165 50" "en-gb+Andy 145 45"
  "en-us+Annie 195 70" "en-gb-x-gbcwmd+m8 130 30" "en-gb-x-rp+Alex 165 55" "en-us-nyc+f3 185 60"
  "en-us+Lee 145 50" "en-gb+Steph 165 70" "en-us-nyc+Paul 135 40" "en+klatt4 185 55"
  "en-gb-x-rp+Linda 145 75" "en-029+Max 195 45" "en-gb-scotland+Ed 165 35" "en-us+Auntie 130 65")

tarnwick_settings "$data"

# recognised WAV: Platinum word 1 of the last ranking, or nothing when nothing was ranked.
recognised() {
  "$cli" "${TARNWICK_SETTINGS[@]}" listen --capture "$1" --json 2>/dev/null | tail -n 1 |
    sed -n 's/^{"set":[0-9]*,"platinum":\[{"word":"\([^"]*\)".*/\1/p'
}

if [ $bundled = yes ]; then
  for take in data/tarnwick/takes/*.wav; do
    echo "$take (the word \"$(basename "$take" .wav)\", a voice left out of training):" \
      "Platinum word 1 \"$(recognised "$take")\""
  done
  exit 0
fi

declare -A count
row() {  # row SAID WAV
  local got
  got=$(recognised "$2")
  case "$got" in windows | shutoff | reboot) ;; *) got=nothing ;; esac
  count[$1,$got]=$((${count[$1,$got]:-0} + 1))
}

for v in "${voices[@]}"; do
  for w in "${commands[@]}"; do
    make_take "$w" "$v" "$work/take.wav"
    row "$w" "$work/take.wav"
  done
  for w in "${others[@]}"; do
    make_take "$w" "$v" "$work/take.wav"
    row "other word" "$work/take.wav"
  done
done
# Silence: a still room, and a faint hiss (repeatable noise, -R).
for seconds in 1 2 4; do
  sox -n -D -r 22050 -b 8 -e unsigned-integer -c 1 "$work/take.wav" trim 0 "$seconds"
  row silence "$work/take.wav"
  sox -R -n -D -r 22050 -b 8 -e unsigned-integer -c 1 "$work/take.wav" synth "$seconds" whitenoise vol 0.05
  row silence "$work/take.wav"
done

columns=(windows shutoff reboot nothing)
echo "| said \\ Platinum word 1 | ${columns[*]/%/ |}"
echo "|---|---:|---:|---:|---:|"
for said in windows shutoff reboot "other word" silence; do
  line="| $said |"
  for c in "${columns[@]}"; do line+=" ${count[$said,$c]:-0} |"; done
  echo "$line"
done

right=0 commandTakes=0 wrong=0 otherTakes=0
for said in "${commands[@]}"; do
  right=$((right + ${count[$said,$said]:-0}))
  for c in "${columns[@]}"; do commandTakes=$((commandTakes + ${count[$said,$c]:-0})); done
done
for said in "other word" silence; do
  for c in "${columns[@]}"; do
    otherTakes=$((otherTakes + ${count[$said,$c]:-0}))
    [ "$c" = nothing ] || wrong=$((wrong + ${count[$said,$c]:-0}))
  done
done
echo
echo "commands recognised correctly: $right of $commandTakes ($((100 * right / commandTakes)) %)"
echo "other words and silence taken for a command: $wrong of $otherTakes ($((100 * wrong / otherTakes)) %)"
