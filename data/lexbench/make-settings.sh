#!/usr/bin/env bash
# Makes Lexbench's example settings, examples/UserSettings.Vset: one 1504-byte record (record
# number 1, then thirty text fields of 50 characters padded with spaces) that sets Lexbench up
# for the bundled example files in data/examples (the vocabulary and language file "Demo").
#
#   data/lexbench/make-settings.sh
set -euo pipefail
cd "$(dirname "$0")"

# The fields in record order, as Lexbench's menu items would store them.
fields=(
  "YES"       # Clean_Memory
  "NO"        # Stop_All
  "NO"        # Notify_If_No_Match
  ""          # Start_Sound_File
  ""          # Stop_Sound_File
  "NO"        # Echo_Speech
  "YES"       # Status_Animation
  "NO"        # Audio_Graph
  ""          # Voice_Capture_Delay
  "3000"      # Speech_Capture_Time
  "0"         # DSP_Resolution (0: every division analysed whole)
  "Middle"    # DSP_Level (recognises all three bundled takes)
  "FLEXIBLE"  # File_Scan_Accuracy
  "HIGHER"    # Entry_Matching_Accuracy
  "Demo"      # Vocabulary_Add_File
  "Demo"      # Vocabulary_Match_File_1
  ""          # Vocabulary_Match_File_2
  ""          # Vocabulary_Match_File_3
  ""          # Vocabulary_Match_File_4
  ""          # Vocabulary_Match_File_5
  "NO"        # Process_Only_Start
  "NO"        # Process_Only_Middle
  "NO"        # Process_Only_End
  "YES"       # Enable_AI
  "NO"        # Add_Current_To_Language_File
  "NO"        # Notify_If_No_Language_Match
  "Demo"      # Language_Add_File
  "Demo"      # Language_Match_File
  "NO"        # Show_Activities
  "1"         # Files_To_Match
)
[ ${#fields[@]} -eq 30 ] || { echo "expected 30 fields, have ${#fields[@]}" >&2; exit 1; }

out=examples/UserSettings.Vset
mkdir -p examples
{
  printf '\001\000\000\000'
  for f in "${fields[@]}"; do printf '%-50.50s' "$f"; done
} >"$out"
size=$(stat -c %s "$out")
[ "$size" -eq 1504 ] || { echo "$out has $size bytes, not 1504" >&2; exit 1; }
echo "made $out"
