# Shared by make-data.sh and scripts/evaluate-tarnwick.sh: how a take is made and the settings
# Tarnwick sends its control before it starts listening. Source it; it defines no commands of its
# own beyond the two functions.

# make_take WORD "VOICE SPEED PITCH" OUT.wav
# A take of WORD by a generated voice: 8-bit unsigned mono at 22050 Hz, as the control records,
# and loud, as a voice close to the microphone (quieter takes leave the activity test short of
# marks), with a little silence either side. sox runs without dither, so a take is the same on
# every run.
make_take() {
  local voice speed pitch raw
  read -r voice speed pitch <<<"$2"
  raw=$(mktemp --suffix=.wav)
  espeak-ng -v "$voice" -s "$speed" -p "$pitch" -w "$raw" "$1"
  sox "$raw" -D -r 22050 -c 1 -b 8 -e unsigned-integer "$3" norm -1 gain 12 pad 0.15 0.15 2>/dev/null
  rm -f "$raw"
}

# tarnwick_settings FOLDER: sets the array TARNWICK_SETTINGS to parlomat-cli options that write
# Tarnwick's 34 settings in its order, with FOLDER as the program's folder.
tarnwick_settings() {
  local d=$1
  TARNWICK_SETTINGS=(
    --set This_Audio_Process=YES
    --set Stop_everything_now=NO
    --set Enable_Unrecognizable_Notification=NO
    --set Memory_Clean=YES
    --set "Play_this_file_for_Start=$d/Start.wav"
    --set "Play_this_file_for_Stop=$d/Stop.wav"
    --set Speech_echo_feature=NO
    --set Show_Status_Animation=YES
    --set On_speech_show_activities=NO
    --set Show_Audio_Graph=NO
    --set Voice_Grab_Delay=20000
    --set Set_Recording_Frequency=22050
    --set Speech_sampling_time_in_ms=10000
    --set Sample_processing_resolution=4000
    --set Keep_Digital_Signal_Processing_level=Down
    --set This_speech_sample_process_end_only=NO
    --set This_speech_sample_process_middle_only=NO
    --set This_speech_sample_process_start_only=NO
    --set Send_words_one_by_one=YES
    --set "Keep_Matching_Files_Entries_Scan_Accuracy=SCAN ALL"
    --set Keep_Entry_Matching_Accuracy=HIGH
    --set "Consider_this_Vocabulary_to_Add=$d/WindowsSET6"
    --set Multiple_Files=YES
    --set "Consider_This_Vocabulary_To_Match_Fileno_1=$d/WindowsSET1"
    --set "Consider_This_Vocabulary_To_Match_Fileno_2=$d/WindowsSET2"
    --set "Consider_This_Vocabulary_To_Match_Fileno_3=$d/WindowsSET3"
    --set "Consider_This_Vocabulary_To_Match_Fileno_4=$d/WindowsSET4"
    --set "Consider_This_Vocabulary_To_Match_Fileno_5=$d/WindowsSET5"
    --set Number_of_files_to_scan=5
    --set Enable_Artificial_Intelligence=YES
    --set Add_To_Language=NO
    --set Notify_if_no_language_match=NO
    --set "Consider_this_Lang_File_to_Add=$d/Quorvane2"
    --set "Consider_this_Lang_File_to_match=$d/Quorvane2"
  )
}
