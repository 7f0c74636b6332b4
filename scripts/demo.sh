#!/usr/bin/env bash
# Installs what is missing, builds, and recognises the bundled example takes with parlomat-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cli=build/bin/parlomat-cli
ex=data/examples
# One vocabulary file, every division analysed whole, the best character of each division joined
# into the Golden character string that the language file's protocols are matched against.
settings=(--set "Consider_This_Vocabulary_To_Match_Fileno_1=$ex/Demo"
  --set Multiple_Files=YES --set Number_of_files_to_scan=1 --set Send_words_one_by_one=YES
  --set "Keep_Matching_Files_Entries_Scan_Accuracy=FLEXIBLE"
  --set "Keep_Entry_Matching_Accuracy=HIGHER" --set Sample_processing_resolution=COMPLETE
  --set "Consider_this_Lang_File_to_match=$ex/Demo")
for word in yes no stop; do
  echo "== $ex/$word.wav (the word \"$word\", a voice the vocabulary was not trained on)"
  "$cli" "${settings[@]}" process "$ex/$word.wav" | grep -E "^(words|golden character|recognised word):"
done
echo "== $ex/yes.wav heard live: the listening cycle on a virtual microphone, in virtual time"
"$cli" "${settings[@]}" --set Keep_Digital_Signal_Processing_level=Low \
  --set Speech_sampling_time_in_ms=3000 --set Voice_Grab_Delay=20000 --set Memory_Clean=YES \
  --set Enable_Artificial_Intelligence=YES --set Add_To_Language=NO \
  listen --capture "$ex/yes.wav"
echo "== Tarnwick's example data: its bundled takes heard live with Tarnwick's own settings"
scripts/evaluate-tarnwick.sh --bundled "$cli"
