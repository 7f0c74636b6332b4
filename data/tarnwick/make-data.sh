#!/usr/bin/env bash
# Makes Tarnwick's example data in data/tarnwick/examples from generated speech (espeak-ng and
# sox): the sound cues, the vocabulary files WindowsSET1 to WindowsSET6 and the language file
# Quorvane2; and in data/tarnwick/takes takes of "windows" and "shutoff" by a voice left out of
# training, for the demonstration and the end-to-end test. The same espeak-ng and sox give the
# same files.
#
#   data/tarnwick/make-data.sh [path/to/parlomat-cli]
#
# Everything is heard as Tarnwick hears it: the listening cycle of parlomat-cli listen, with
# Tarnwick's own settings (DSP level "Down", so a 128-point transform, and pieces of 4000
# positions). Training goes through the listening cycle too, not through `process`: the
# whole-sample driver finds divisions with other thresholds and forced-silent margins and tests
# pieces for noise differently, so its pieces (and their valleys) are not the ones Tarnwick
# later matches. Trained through listening, each record is a piece exactly as Tarnwick cuts it.
set -euo pipefail
cd "$(dirname "$0")/../.."
cli=${1:-build/bin/parlomat-cli}
here=data/tarnwick
out=$here/examples
. "$here/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=(windows shutoff reboot)

# The voices of the one speaker the example is trained for: voice, speed (words a minute) and
# pitch (0-99). Each vocabulary file holds one voice (the first five): its takes of the three
# commands, and of one other word, whose pieces are named "other" so that speech that is not a
# command can be heard as such. All of them teach the language file. Speeds 140, 150, 160 and 175
# only; the evaluation's voices and speeds are others. The five voices of the vocabulary files were
# chosen among these by how well files made of them recognised the other voices' takes.
voices=("en-029+m6 140 35" "en-us-nyc+m7 150 70" "en+f1 160 35" "en-us-nyc+m2 175 45"
  "en-029+f1 140 35" "en+m1 140 55" "en-us+m2 150 40" "en-gb-scotland+m3 160 60"
  "en-gb-x-gbclan+m5 175 30" "en-us+f2 175 55" "en-gb-scotland+f4 140 75"
  "en-gb-x-gbclan+f5 150 30" "en-029+m1 160 70" "en+m3 140 30" "en-us+m5 150 35"
  "en-gb-scotland+m6 160 60" "en-gb-x-gbclan+m7 175 60" "en-us-nyc+f2 150 45" "en+f4 160 35"
  "en-us+f5 175 70" "en-gb-scotland+m1 140 60" "en-gb-x-gbclan+m2 150 30" "en-029+m3 160 75"
  "en-us-nyc+m5 175 35")
others=(stop start file mail print)
# The voice of the bundled takes of "windows" and "shutoff" (the demonstration and the end-to-end
# test): not used in training either, and chosen among such voices because the example data
# recognise both its takes wherever they fall in the capture buffer (shifted by 0 to 50 samples).
demo_voice="en-gb-x-rp+Mike 165 50"

# train FILE WORD NAME "VOICE SPEED PITCH": every piece of the take trained into FILE as NAME,
# through the listening cycle in training mode (each piece played back, confirmed and named).
train() {
  local answers=() slots=() i
  for _ in $(seq 1 16); do answers+=(--answer Yes --answer "$3"); done
  # The rescan after each record looks only at the file being trained, so no other file is made.
  for i in 1 2 3 4 5; do slots+=(--set "Consider_This_Vocabulary_To_Match_Fileno_$i=$out/$1"); done
  make_take "$2" "$4" "$work/take.wav"
  "$cli" "${TARNWICK_SETTINGS[@]}" "${slots[@]}" --set Add_To_Vocabulary=YES \
    --set On_speech_show_activities=YES --set Enable_Artificial_Intelligence=NO \
    --set "Consider_this_Vocabulary_to_Add=$out/$1" "${answers[@]}" \
    listen --capture "$work/take.wav" >/dev/null 2>&1
}

# heard WAV: the character string of the last utterance Tarnwick's settings hear in WAV, before
# any language file (one that does not exist is matched).
heard() {
  "$cli" "${TARNWICK_SETTINGS[@]}" --set "Consider_this_Lang_File_to_match=$work/none" \
    listen --capture "$1" --json 2>/dev/null | tail -n 1 |
    sed -n 's/.*"chars":"\([^"]*\)".*/\1/p'
}

mkdir -p "$out" "$here/takes"
rm -f "$out"/*.SAY "$out"/*.Lang "$out"/*.wav "$here"/takes/*.wav
tarnwick_settings "$out"

# 1. Sound cues: a rising pair of tones when listening starts, a falling pair when it stops, and
#    three short high notes once the command window is open.
tone() {  # tone SECONDS HERTZ OUT.wav
  sox -n -D -r 22050 -b 16 -c 1 "$3" synth "$1" sine "$2" fade 0.01 "$1" 0.02 vol 0.5
}
tone 0.09 660 "$work/a.wav"
tone 0.12 990 "$work/b.wav"
sox -D "$work/a.wav" "$work/b.wav" "$out/Start.wav"
tone 0.09 990 "$work/a.wav"
tone 0.12 495 "$work/b.wav"
sox -D "$work/a.wav" "$work/b.wav" "$out/Stop.wav"
tone 0.05 1320 "$work/a.wav"
sox -n -D -r 22050 -b 16 -c 1 "$work/gap.wav" trim 0 0.04
sox -D "$work/a.wav" "$work/gap.wav" "$work/a.wav" "$work/gap.wav" "$work/a.wav" "$out/option.wav"

# 2. The five vocabulary files to match: one voice each, the commands named after themselves.
for i in 1 2 3 4 5; do
  v=${voices[$((i - 1))]}
  for w in "${commands[@]}"; do train "WindowsSET$i" "$w" "$w" "$v"; done
  train "WindowsSET$i" "${others[$((i - 1))]}" other "$v"
done
# The file to add starts empty: whatever the user trains later goes there.
: >"$out/WindowsSET6.SAY"

# 3. The language file, from the strings the five files give for every voice's takes of each
#    command. A string in which the command's own characters are more than half becomes a
#    protocol: rating 100 as heard when it holds nothing else, rating 90 with each run of other
#    characters written as *. Last, the command's character twice anywhere, rating 80.
for w in "${commands[@]}"; do
  protocols=()
  for v in "${voices[@]}"; do
    make_take "$w" "$v" "$work/take.wav"
    s=$(heard "$work/take.wav")
    [ -n "$s" ] || continue
    own=$( (grep -o "$w" <<<"$s" || true) | wc -l)
    all=$(sed 's/windows/./g; s/shutoff/./g; s/reboot/./g; s/other/./g' <<<"$s")
    [ $((2 * own)) -gt ${#all} ] || continue
    pattern=$(sed "s/$w/|/g; s/[^|]\{1,\}/*/g; s/|/$w/g" <<<"$s")
    if [ "$pattern" = "$s" ]; then rating=100; else rating=90; fi
    protocols+=("$pattern=$rating")
  done
  args=()
  while IFS= read -r p; do
    [ -n "$p" ] && args+=(--protocol "$p")
  done < <(printf '%s\n' "${protocols[@]}" | sort -t= -k2,2nr -k1,1 | awk -F= '!seen[$1]++' | head -n 99)
  args+=(--protocol "*$w*$w*=80")
  "$cli" lang "$out/Quorvane2.Lang" --add "$w" "${args[@]}" >/dev/null
done

# 4. The bundled takes.
for w in windows shutoff; do make_take "$w" "$demo_voice" "$here/takes/$w.wav"; done

echo "made $(ls "$out" | wc -l) files in $out ($(du -ck "$out"/* | tail -n 1 | cut -f1) KB)"
