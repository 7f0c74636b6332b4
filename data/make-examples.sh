#!/usr/bin/env bash
# Makes the bundled example: takes of three words spoken by generated voices, a vocabulary file
# trained from them with parlomat-cli, and a language file whose protocols are written from the
# character strings the recogniser produces for the training takes. Deterministic: the same
# espeak-ng and sox give the same files (sox runs without dither).
#
#   data/make-examples.sh [path/to/parlomat-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/bin/parlomat-cli}
out=data/examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

words=(yes no stop)
# Training takes: voice, speed (words a minute), pitch (0-99).
train=("en+m3 150 50" "en-us+f2 170 60" "en-gb-scotland+m1 140 40" "en+f4 160 70" "en-us+m7 155 45"
  "en-gb-x-gbclan+m5 150 35" "en-us+f1 145 75" "en+m6 175 50")
# Held-out takes, bundled for the demonstration: a voice and speed not used in training.
held=("en-gb-x-rp+f3 150 65")

say() {  # say WORD "VOICE SPEED PITCH" FILE
  local voice speed pitch
  read -r voice speed pitch <<<"$2"
  espeak-ng -v "$voice" -s "$speed" -p "$pitch" -w "$work/raw.wav" "$1"
  # 8-bit unsigned mono at 22050 Hz, as the recogniser reads it: loud, as a voice close to the
  # microphone, with a little silence either side.
  sox "$work/raw.wav" -D -r 22050 -c 1 -b 8 -e unsigned-integer "$3" norm -1 gain 12 pad 0.15 0.15 2>/dev/null
}

# Settings for recognising a stored take: one vocabulary file, every division analysed whole,
# each division's best character appended to the Golden character string.
match=(--set "Consider_This_Vocabulary_To_Match_Fileno_1=$out/Demo"
  --set Multiple_Files=YES --set Number_of_files_to_scan=1 --set Send_words_one_by_one=YES
  --set "Keep_Matching_Files_Entries_Scan_Accuracy=FLEXIBLE" --set "Keep_Entry_Matching_Accuracy=HIGHER"
  --set Sample_processing_resolution=COMPLETE)

# The same heard live: each pass of the listening cycle joins the Golden characters of one
# utterance without a space, so the language file learns those strings too.
listen=("${match[@]}" --set Keep_Digital_Signal_Processing_level=Low
  --set Speech_sampling_time_in_ms=3000 --set Voice_Grab_Delay=20000 --set Memory_Clean=YES
  --set Enable_Artificial_Intelligence=YES --set Add_To_Language=NO)

mkdir -p "$out"
rm -f "$out"/Demo.SAY "$out"/Demo.Lang "$out"/*.wav

# 1. Train every division of every training take as a character named after its word.
for w in "${words[@]}"; do
  for t in "${!train[@]}"; do
    say "$w" "${train[$t]}" "$work/$w-$t.wav"
    answers=()
    for _ in $(seq 1 12); do answers+=(--answer Yes --answer "$w"); done
    "$cli" --set Add_To_Vocabulary=YES --set "Consider_this_Vocabulary_to_Add=$out/Demo" \
      "${answers[@]}" process "$work/$w-$t.wav" >/dev/null 2>&1
  done
done

# 2. Write each word's protocols from the strings its training takes produce: the exact strings
#    seen, and the word anywhere in the string at a lower rating.
for w in "${words[@]}"; do
  strings=()
  for t in "${!train[@]}"; do
    golden=$("$cli" "${match[@]}" process --json "$work/$w-$t.wav" 2>/dev/null |
      sed -n 's/.*"golden":{"chara":"\([^"]*\)".*/\1/p' | sed 's/^ *//; s/ *$//')
    [ -n "$golden" ] && [ ${#golden} -le 40 ] && strings+=("$golden")
    heard=$("$cli" "${listen[@]}" --set "Consider_this_Lang_File_to_match=$work/none" \
      listen --json --capture "$work/$w-$t.wav" 2>/dev/null | tail -n 1 |
      sed -n 's/.*"chars":"\([^"]*\)".*/\1/p' | sed 's/^ *//; s/ *$//')
    [ -n "$heard" ] && [ ${#heard} -le 40 ] && strings+=("$heard")
  done
  protocols=(--protocol "*$w*=60")
  while IFS= read -r s; do
    [ -n "$s" ] && protocols+=(--protocol "$s=100")
  done < <(printf '%s\n' "${strings[@]}" | awk '!seen[$0]++')
  "$cli" lang "$out/Demo.Lang" --add "$w" "${protocols[@]}" >/dev/null
done

# 3. The held-out takes the demonstration recognises.
for w in "${words[@]}"; do
  say "$w" "${held[0]}" "$out/$w.wav"
done
echo "made $(ls "$out" | wc -l) files in $out"
