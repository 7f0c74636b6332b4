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
