#!/usr/bin/env bash
# Drives the real sqpatch.exe under Wine on an X display (Xvfb) with
# xdotool, as a user would, and reads the labels' colours off screenshots.
#   window_test.sh walk  SQPATCH_EXE SCREENSHOT_DIR
#   window_test.sh usage SQPATCH_EXE SCREENSHOT_DIR
#   window_test.sh reporter SQPATCH_EXE SCREENSHOT_DIR HOLD_FILE_EXE
#   window_test.sh minimised|maximised SQPATCH_EXE SCREENSHOT_DIR PROBE_EXE
#   window_test.sh drop SQPATCH_EXE SCREENSHOT_DIR DROP_PROBE_EXE
#   window_test.sh accessible SQPATCH_EXE SCREENSHOT_DIR ACCESSIBLE_PROBE_EXE
#   window_test.sh scaled SQPATCH_EXE SCREENSHOT_DIR DPI
#   window_test.sh folder_field SQPATCH_EXE SCREENSHOT_DIR FOLDER_FIELD_PROBE_EXE
#   window_test.sh hung_mount SQPATCH_EXE SCREENSHOT_DIR FOLDER_FIELD_PROBE_EXE
#   window_test.sh installer SQPATCH_EXE SCREENSHOT_DIR SQPATCH_MSI
#   window_test.sh found SQPATCH_EXE SCREENSHOT_DIR
set -euo pipefail
mode=$1
exe=$2
shots=$3
mkdir -p "$shots"

work=$(mktemp -d)
program_pid=""
holder_pid=""
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid"; fi
  if [ -n "$holder_pid" ] && kill -0 "$holder_pid" 2>/dev/null; then kill "$holder_pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The Windows name of a path on Wine's drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Starts the program with the given arguments; a display-less hang ends by
# the timeout. Its exit status lands in $work/status.
start_program() {
  (
    status=0
    # Wine's helper processes outlive the program: they must not hold the
    # test's output open.
    timeout 300 wine "$exe" "$@" >>"$work/wine.log" 2>&1 </dev/null || status=$?
    echo "$status" >"$work/status"
  ) &
  program_pid=$!
}

# Polls until the command succeeds; gives up after about 120 seconds.
wait_until() {
  for _ in $(seq 1 240); do
    if "$@"; then return 0; fi
    sleep 0.5
  done
  return 1
}

window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(window_id "$1")" ]; }
window_gone() { ! window_shown "$1"; }
program_ended() { [ -s "$work/status" ]; }

# The program stands in a desktop's task bar: a mapped X window titled with
# the application title that does not ask to be left out of it.
in_task_bar() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Stonequill Patch$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || return 0
  done
  return 1
}

# Pixels of exactly one colour in a screenshot of the window.
pixels() {
  local window=$1 color=$2
  import -window "$window" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -format %c histogram:info:- |
    awk -v color="$color" 'toupper($0) ~ color { sub(":", "", $1); sum += $1 } END { print sum + 0 }'
}
green() { pixels "$1" "#008000"; }
red() { pixels "$1" "#FF0000"; }
only_green() { [ "$(green "$1")" -gt 0 ] && [ "$(red "$1")" -eq 0 ]; }
only_red() { [ "$(red "$1")" -gt 0 ] && [ "$(green "$1")" -eq 0 ]; }
no_colour() { [ "$(red "$1")" -eq 0 ] && [ "$(green "$1")" -eq 0 ]; }
# Something drawn inside the empty client field, which is white without
# its cue text.
cue_shown() {
  local x y x2 y2
  read -r x y <<<"$(layout_point "$1" 224 19)"
  read -r x2 y2 <<<"$(layout_point "$1" 440 34)"
  import -window "$1" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -crop "$((x2 - x))x$((y2 - y))+$x+$y" -format %c histogram:info:- |
    grep -qv '#FFFFFF'
}
green_and_red() { [ "$(green "$1")" -gt 0 ] && [ "$(red "$1")" -gt 0 ]; }

# A point of the window laid out at 461 pixels wide, scaled as the program
# scaled its window to its font.
layout_point() {
  local width
  width=$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p')
  echo $(($2 * width / 461)) $(($3 * width / 461))
}

save_shot() { import -window "$1" "$shots/$2.png" 2>/dev/null; }

walk() {
  mkdir -p "$work/client" "$work/cd" "$work/empty"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$work/client/$file"; done
  truncate -s 100 "$work/cd/StaIdx0.mul"
  truncate -s 21971754 "$work/cd/Statics0.mul"  # The Second Age
  touch "$work/north.sq2"
  # The CD folder lacks Map0.mul until the user has moved to its page.
  start_program "$(windows_path "$work/north.sq2")" "$(windows_path "$work/empty")" \
    "$(windows_path "$work/cd")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  local window
  window=$(window_id "Stonequill Patch 1")
  in_task_bar || fail "no X window titled \"Stonequill Patch\" is mapped for the task bar"
  # Page 0 on an empty folder: every result "Not found!" on red.
  wait_until only_red "$window" || fail "page 0 does not start with red results only"
  save_shot "$window" page0-start

  xdotool windowfocus --sync "$window"
  # The first Tab goes from the page container to the folder field, whose
  # whole text it selects; typing replaces it key by key.
  xdotool key Tab
  local folder
  folder=$(windows_path "$work/client")
  xdotool type --delay 40 "${folder%?}"
  # No sign tells when Wine has handled the keys; a check made too early
  # could only pass wrongly, never fail wrongly.
  sleep 1
  only_red "$window" || fail "results turned green before the folder was complete"
  xdotool type --delay 40 "${folder: -1}"
  wait_until only_green "$window" || fail "typing the client folder did not turn the results green"
  save_shot "$window" page0-typed

  # "Test again", then Next, which is enabled now: Enter presses it.
  xdotool key Tab Tab Return
  wait_until green_and_red "$window" || fail "page 1 does not report the missing Map0.mul"
  save_shot "$window" page1-missing

  # The file appears; "Test again" on page 1 finds it. Next was disabled
  # under the focus, so Tab starts at the page container again.
  truncate -s 100 "$work/cd/Map0.mul"
  xdotool key Tab Tab Tab Return
  wait_until only_green "$window" || fail "\"Test again\" did not find the new Map0.mul"
  save_shot "$window" page1-found

  # A press on "Test again" gives it the focus even when the mouse is
  # released off it, which presses nothing; Enter then presses it. The click
  # into the folder field first takes the focus off the button.
  rm "$work/cd/Map0.mul"
  xdotool mousemove --window "$window" $(layout_point "$window" 332 26) click 1
  xdotool mousemove --window "$window" $(layout_point "$window" 406 164) mousedown 1
  xdotool mousemove --window "$window" $(layout_point "$window" 300 164) mouseup 1
  sleep 1
  only_green "$window" || fail "a press released off \"Test again\" ran its check"
  xdotool key Return
  wait_until green_and_red "$window" || fail "Enter after pressing \"Test again\" did not run it"

  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status") after closing, not 0"
}

usage() {
  start_program
  wait_until window_shown "Error" || fail "no box titled \"Error\""
  local box
  box=$(window_id "Error")
  save_shot "$box" usage-error
  # Start-up errors come before the window is put on screen.
  window_shown "Stonequill Patch 1" && fail "the window is on screen behind the usage box"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  # The later boxes close at once: one Enter ends the program.
  wait_until program_ended || fail "the program did not end after the usage box"
  [ "$(cat "$work/status")" = 1 ] || fail "exit status $(cat "$work/status"), not 1"
}

# A CD folder whose Statics0.mul another program holds without sharing: the
# start-up check fails with code 32. The error reporter's box, captioned
# with the application title, comes before the window; after OK start-up
# goes on and the window opens on page 0 with the client folder checked.
reporter() {
  mkdir -p "$work/client" "$work/cd"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do
    truncate -s 100 "$work/client/$file"
    truncate -s 100 "$work/cd/$file"
  done
  touch "$work/north.sq2"
  timeout 120 wine "$helper" "$(windows_path "$work/cd/Statics0.mul")" >"$work/hold.log" 2>&1 \
    </dev/null &
  holder_pid=$!
  wait_until grep -q held "$work/hold.log" || fail "could not hold Statics0.mul"

  start_program "$(windows_path "$work/north.sq2")" "$(windows_path "$work/client")" \
    "$(windows_path "$work/cd")"
  wait_until window_shown "Stonequill Patch" || fail "no box titled \"Stonequill Patch\""
  local box
  box=$(window_id "Stonequill Patch")
  save_shot "$box" reporter-box
  window_shown "Stonequill Patch 1" && fail "the window is on screen behind the error box"
  xdotool windowfocus --sync "$box"
  xdotool key Return

  wait_until window_shown "Stonequill Patch 1" || fail "the window did not open after the box"
  local window
  window=$(window_id "Stonequill Patch 1")
  wait_until only_green "$window" || fail "page 0 does not show the checked client folder"
  save_shot "$window" reporter-page0
  kill "$holder_pid"
  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status") after closing, not 0"
}

# Started minimised without activation and with no argument: the usage box
# comes only once the window is restored, and OK ends the run with status 1.
minimised() {
  local status=0
  timeout 200 wine "$helper" 7 "$(windows_path "$exe")" >"$work/probe.log" 2>&1 </dev/null ||
    status=$?
  cat "$work/probe.log"
  [ "$status" = 1 ] || fail "show command 7: status $status, not 1"
}

# Started maximised with a valid patch file and two folders; closing it ends
# the run with status 0.
maximised() {
  mkdir -p "$work/client" "$work/cd"
  touch "$work/north.sq2"
  local status=0
  timeout 200 wine "$helper" 3 "$(windows_path "$exe")" "$(windows_path "$work/north.sq2")" \
    "$(windows_path "$work/client")" "$(windows_path "$work/cd")" >"$work/probe.log" 2>&1 \
    </dev/null || status=$?
  cat "$work/probe.log"
  [ "$status" = 0 ] || fail "show command 3: status $status, not 0"
}

# Drops the given paths onto the visible folder field, as Explorer does, and
# checks the field's text afterwards.
drop_onto_field() {
  local expected=$1
  shift
  local text
  text=$(timeout 60 wine "$helper" "Stonequill Patch 1" "$@" 2>>"$work/wine.log" </dev/null) ||
    fail "the drop probe failed: $(tail -n 3 "$work/wine.log")"
  text=${text%$'\r'}
  [ "$text" = "$expected" ] || fail "after dropping $*: field \"$text\", not \"$expected\""
}

# Page 0 on an empty folder; things dropped from Explorer onto the client
# folder field: a file, a folder, several items of one folder, and items
# from two folders, which change nothing.
drop() {
  mkdir -p "$work/client" "$work/empty/inner" "$work/cd"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$work/client/$file"; done
  touch "$work/north.sq2" "$work/empty/notes.txt"
  local client empty
  client=$(windows_path "$work/client")
  empty=$(windows_path "$work/empty")
  start_program "$(windows_path "$work/north.sq2")" "$empty" "$(windows_path "$work/cd")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  local window
  window=$(window_id "Stonequill Patch 1")
  wait_until only_red "$window" || fail "page 0 does not start with red results only"

  # A file stands for the folder that holds it.
  drop_onto_field "$client" "$client\\Map0.mul"
  wait_until only_green "$window" || fail "dropping a client file did not turn the results green"
  save_shot "$window" drop-file

  # A folder itself, with or without a trailing backslash.
  drop_onto_field "$empty" "$empty\\"
  wait_until only_red "$window" || fail "dropping the empty folder did not turn the results red"

  # Items from two folders name no folder: the field keeps its text.
  drop_onto_field "$empty" "$client\\Map0.mul" "$empty\\notes.txt"
  only_red "$window" || fail "a drop from two folders changed the results"

  # Files side by side name the folder that holds them.
  drop_onto_field "$client" "$client\\Map0.mul" "$client\\StaIdx0.mul"
  wait_until only_green "$window" || fail "dropping two client items did not turn the results green"
  save_shot "$window" drop-items

  # The drop was the user's own edit: Ctrl+Z in the field takes it back.
  xdotool windowfocus --sync "$window"
  xdotool key Tab ctrl+z
  wait_until only_red "$window" || fail "Ctrl+Z did not take the last drop back"
  save_shot "$window" drop-undone

  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status") after closing, not 0"
}

# What a screen reader gets through MSAA for each visible control: its role,
# name and state in $work/controls, the name and state alone in $work/names.
accessible_names() {
  timeout 60 wine "$helper" "Stonequill Patch 1" 2>>"$work/wine.log" </dev/null |
    tr -d '\r' >"$work/controls" || return 1
  cut -f 2- "$work/controls" >"$work/names"
}
has_name() { accessible_names && grep -qxF "$1" "$work/names"; }

# Page 0 on an empty folder, then the user types a client folder that lacks
# Statics0.mul, the file appears, "Test again", Next. The edit goes by its
# path label, each result static by its whole row; a name change is
# reported for each row that changed and for the page caption, and for
# nothing else; an alert names the rows each act changed.
accessible() {
  mkdir -p "$work/client" "$work/cd" "$work/empty"
  truncate -s 100 "$work/client/StaIdx0.mul" "$work/client/Map0.mul"
  touch "$work/north.sq2"
  start_program "$(windows_path "$work/north.sq2")" "$(windows_path "$work/empty")" \
    "$(windows_path "$work/cd")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  local window
  window=$(window_id "Stonequill Patch 1")
  accessible_names || fail "the accessibility probe failed: $(tail -n 3 "$work/wine.log")"
  local name
  for name in "The UO client is installed at: (i.e. C:\UO)" "Staidx0.mul: Not found!" \
    "Statics0.mul: Not found!" "Map0.mul: Not found!" "Results for current path" \
    "Test again" $'Next\tunavailable' $'Finish\tunavailable' "Check current files"; do
    grep -qxF "$name" "$work/names" || fail "no control named \"$name\": $(cat "$work/names")"
  done
  grep -qxF $'text\tThe UO client is installed at: (i.e. C:\\UO)' "$work/controls" ||
    fail "the folder edit is not named by its label: $(cat "$work/controls")"

  timeout 120 wine "$helper" "Stonequill Patch 1" --watch "$(windows_path "$work/stop")" \
    >"$work/changes" 2>>"$work/wine.log" </dev/null &
  holder_pid=$!
  wait_until grep -q watching "$work/changes" || fail "the name change watch did not start"
  xdotool windowfocus --sync "$window"
  xdotool key Tab
  xdotool type --delay 40 "$(windows_path "$work/client")"
  wait_until has_name "Staidx0.mul: Found and writeable!" ||
    fail "typing the folder did not rename the rows: $(cat "$work/names")"
  for name in "Statics0.mul: Not found!" "Map0.mul: Found and writeable!"; do
    grep -qxF "$name" "$work/names" || fail "no control named \"$name\" after typing"
  done
  # The missing file appears: "Test again" finds it, and Next shows page 1.
  truncate -s 100 "$work/client/Statics0.mul"
  xdotool key Tab Return
  wait_until has_name "Statics0.mul: Found and writeable!" ||
    fail "\"Test again\" did not rename the Statics0.mul row: $(cat "$work/names")"
  xdotool key Tab Return
  wait_until has_name "Check for correct CD" || fail "Next did not rename the page caption"
  # Every change was queued to the watch before the names above could be read.
  touch "$work/stop"
  wait "$holder_pid" || fail "the name change watch failed: $(tail -n 3 "$work/wine.log")"
  local changes
  changes=$(tr -d '\r' <"$work/changes" | grep -v -e '^watching$' -e '^alert' | sort | paste -sd '|')
  # Next renames both the page caption and the page container.
  local expected="Check for correct CD|Check for correct CD|Map0.mul: Found and writeable!"
  expected+="|Staidx0.mul: Found and writeable!|Statics0.mul: Found and writeable!"
  [ "$changes" = "$expected" ] || fail "name changes: $changes"
  # One alert per act that changed rows, naming them; none for Next.
  changes=$(tr -d '\r' <"$work/changes" | grep '^alert' | paste -sd '|')
  expected=$'alert\talert\tStaidx0.mul: Found and writeable! Map0.mul: Found and writeable!'
  expected+=$'|alert\talert\tStatics0.mul: Found and writeable!'
  [ "$changes" = "$expected" ] || fail "alerts: $changes"

  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
}

# Where the folder label's text ends and its edit begins, in a screenshot of
# a page: "INK_END EDIT_LEFT" in pixels from the window's left. The edit is
# the first white field below the page's top; its left edge is found on its
# last row, below the label's text; the label's ink is the window text
# (black) in the edit's rows left of the field.
label_and_edit() {
  convert "$1" -depth 8 txt:- | awk '
    NR > 1 {
      split($1, at, /[,:]/)
      x = at[1]; y = at[2]; colour[x, y] = $3; ++count[$3]
      if (x > width) width = x
      if (y > height) height = y
    }
    function is(x, y, c) { return colour[x, y] == c }
    END {
      for (c in count) if (count[c] > count[background]) background = c
      for (y = 0; y <= height && top == ""; y++) {
        run = 0
        for (x = 0; x <= width + 1; x++) {
          if (is(x, y, "#FFFFFF")) { run++; continue }
          # At least 40 pixels wide and 8 high: no frame line is.
          if (run >= 40 && is(x - run + 5, y + 7, "#FFFFFF")) { top = y; field = x - run; break }
          run = 0
        }
      }
      if (top == "") { print "no-edit"; exit }
      for (bottom = top; is(field + 5, bottom + 1, "#FFFFFF"); bottom++) {}
      for (left = field; left > 0 && !is(left - 1, bottom, background); left--) {}
      ink = -1
      for (y = top - 2; y <= bottom; y++)
        for (x = 0; x < field; x++)
          if (is(x, y, "#000000") && x > ink) ink = x
      print ink + 1, left
    }'
}

# The folder label ends left of its edit on the page shown. The layout
# leaves 9 pixels or more between a folder label's text and its edit; text
# that ran under the edit would be hidden there, its visible ink ending at
# the edit's edge or a glyph before it. So at least 4 pixels must be clear.
label_clears_edit() {
  local shot=$1 found ink_end edit_left
  found=$(label_and_edit "$shot")
  read -r ink_end edit_left <<<"$found"
  [ "$ink_end" != "no-edit" ] || fail "no folder edit in $shot"
  [ "$ink_end" -gt 0 ] || fail "no label text left of the edit in $shot"
  echo "$(basename "$shot"): label ink ends at $ink_end, edit begins at $edit_left"
  [ $((edit_left - ink_end)) -ge 4 ] || fail "the label runs into its edit in $shot"
}

# The window at the prefix's LogPixels $dpi: page 0 and page 1, each folder
# label's text left of its edit.
scaled() {
  local dpi=$1
  # Wine 8 takes the screen's dots per inch from here when a program starts.
  dpi_key='HKCU\Control Panel\Desktop'
  dpi_before=$(wine reg query "$dpi_key" /v LogPixels 2>/dev/null |
    awk '/LogPixels/ { print $3 }') || true
  # Other tests of the prefix see its own setting again.
  restore_dpi() {
    if [ -n "$dpi_before" ]; then
      wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$((dpi_before))" /f >/dev/null 2>&1
    else
      wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
  }
  trap 'restore_dpi; cleanup' EXIT
  wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    fail "could not set LogPixels"

  mkdir -p "$work/client" "$work/cd"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$work/client/$file"; done
  # Page 1 tells itself apart by the red of its missing Map0.mul.
  truncate -s 100 "$work/cd/StaIdx0.mul" "$work/cd/Statics0.mul"
  touch "$work/north.sq2"
  start_program "$(windows_path "$work/north.sq2")" "$(windows_path "$work/client")" \
    "$(windows_path "$work/cd")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  local window
  window=$(window_id "Stonequill Patch 1")
  wait_until only_green "$window" || fail "page 0 does not show the checked client folder"
  save_shot "$window" "page0-${dpi}dpi"
  label_clears_edit "$shots/page0-${dpi}dpi.png"

  xdotool windowfocus --sync "$window"
  # From the page container to the edit, "Test again" and Next.
  xdotool key Tab Tab Tab Return
  wait_until green_and_red "$window" || fail "page 1 does not show the checked CD folder"
  save_shot "$window" "page1-${dpi}dpi"
  label_clears_edit "$shots/page1-${dpi}dpi.png"

  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
}

field_probe() { timeout 60 wine "$helper" "$1" "Stonequill Patch 1" 2>>"$work/wine.log" </dev/null; }
field_text() { local text; text=$(field_probe text) || return 1; echo "${text%$'\r'}"; }
# The number of entries in the completion list on screen; nothing without one.
list_entries() { local count; count=$(field_probe list) || return 1; echo "${count%$'\r'}"; }
list_shows() { [ "$(list_entries)" = "$1" ]; }
list_closed() { ! field_probe list >/dev/null; }
field_is() { [ "$(field_text)" = "$1" ]; }
set_by_reader() {
  timeout 60 wine "$helper" set "Stonequill Patch 1" "$1" 2>>"$work/wine.log" </dev/null
}
# The user's registry as text.
user_registry() {
  timeout 60 wine reg export HKEY_CURRENT_USER "$(windows_path "$1.raw")" /y \
    >/dev/null 2>>"$work/wine.log" </dev/null || fail "reg export failed"
  iconv -f UTF-16 -t UTF-8 "$1.raw" | tr -d '\r' >"$1"
}

# Typing a folder prefix opens the completion list of folders only; Down
# and Enter take an entry, which the check then finds. Escape closes the
# list and leaves the text. "Browse for folder..." is the last entry of the
# field's context menu: cancelling the picker changes nothing, choosing a
# folder fills the field.
folder_field() {
  mkdir -p "$work/client" "$work/clutter" "$work/empty"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$work/client/$file"; done
  touch "$work/north.sq2" "$work/clip.txt"
  local root
  root=$(windows_path "$work")
  start_program "$root\\north.sq2" "$root\\empty" "$root\\empty"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  local window
  window=$(window_id "Stonequill Patch 1")
  wait_until only_red "$window" || fail "page 0 does not start with red results only"

  xdotool windowfocus --sync "$window"
  xdotool key Tab
  xdotool type --delay 40 "$root\\cl"
  # "client" and "clutter", not the file "clip.txt".
  wait_until list_shows 2 || fail "typing a folder prefix showed no list of 2 folders"
  # The list and the menu are windows of their own, over the wizard's.
  save_shot root folder-field-list
  xdotool key Down
  # The entry shown in the field is no user's edit until it is taken.
  wait_until field_is "$root\\client" || fail "Down did not show the first entry"
  only_red "$window" || fail "moving in the list ran the check"
  xdotool key Return
  wait_until only_green "$window" || fail "taking the entry did not run the check on it"
  list_closed || fail "Enter left the list open"

  # Enter left the field's text selected.
  xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 40 "CL"
  wait_until list_shows 2 || fail "no list for \"$root\\cl\" typed in capitals"
  xdotool key Escape
  wait_until list_closed || fail "Escape did not close the list"
  field_is "$root\\CL" || fail "Escape changed the text to \"$(field_text)\""

  xdotool key shift+F10
  sleep 1
  save_shot root folder-field-menu
  xdotool key Up Return
  wait_until window_shown "Select Folder" || fail "the last menu entry opened no folder picker"
  xdotool key Escape
  wait_until window_gone "Select Folder" || fail "the picker did not close"
  field_is "$root\\CL" || fail "cancelling the picker changed the text"

  # Choosing a folder writes nothing to the user's registry: no recent
  # lists, no dialog state.
  user_registry "$work/before.reg"
  xdotool key shift+F10
  sleep 1
  xdotool key Up Return
  wait_until window_shown "Select Folder" || fail "the last menu entry opened no folder picker"
  xdotool type --delay 30 "$root\\client"
  xdotool key Return
  wait_until field_is "$root\\client" || fail "the chosen folder did not fill the field"
  wait_until only_green "$window" || fail "the chosen folder was not checked"
  user_registry "$work/after.reg"
  diff "$work/before.reg" "$work/after.reg" >"$work/registry.diff" ||
    fail "the picker changed the user's registry: $(head -n 20 "$work/registry.diff")"

  # A screen reader sets the text through MSAA: one user edit, checked.
  set_by_reader "$root\\empty" || fail "put_accValue failed: $(tail -n 3 "$work/wine.log")"
  wait_until field_is "$root\\empty" || fail "put_accValue did not set the text"
  wait_until only_red "$window" || fail "a text set by a screen reader was not checked"
  set_by_reader "$root\\client" || fail "put_accValue failed: $(tail -n 3 "$work/wine.log")"
  wait_until only_green "$window" || fail "a text set by a screen reader was not checked"

  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
}

# A drive letter and a UNC share on a mount that holds its lookups: started
# on it, the window shows; typing either key by key keeps the window
# answering (its field's text is read by a message round trip) with page 0
# pending on no colour, and the rows land once the mount answers; closed
# while a lookup waits, the program ends.
hung_mount() {
  source "$(dirname "$0")/../support/hung_mount.sh"
  devices=$WINEPREFIX/dosdevices
  trap 'hung_mount_stop; rm -f "$devices/h:" "$devices/unc/server/share"; cleanup' EXIT
  mkdir -p "$work/source/UO" "$work/empty" "$devices/unc/server"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$work/source/UO/$file"; done
  touch "$work/north.sq2"
  hung_mount_start "$work/source" "$work/mnt"
  ln -s "$work/mnt" "$devices/h:"
  ln -s "$work/mnt" "$devices/unc/server/share"
  # Started on the held drive, the window shows page 0 pending.
  start_program "$(windows_path "$work/north.sq2")" 'H:\UO' "$(windows_path "$work/empty")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window while H:\\UO is held"
  local window folder typed=""
  window=$(window_id "Stonequill Patch 1")
  wait_until no_colour "$window" || fail "page 0 is not pending while H:\\UO is held"
  xdotool windowfocus --sync "$window"
  xdotool key Tab
  for folder in 'H:\UO' '\\server\share\UO'; do
    hung_mount_hold
    # Over the text typed before, key by key.
    [ -z "$typed" ] || xdotool key End $(printf 'BackSpace %.0s' $(seq ${#typed}))
    xdotool type --delay 40 "$folder"
    typed=$folder
    # A frozen window answers no probe: a deadline, not wait_until's many tries.
    local deadline=$((SECONDS + 60))
    until field_is "$folder"; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the window did not answer after typing $folder"
      sleep 0.5
    done
    no_colour "$window" || fail "page 0 is not pending on no colour while $folder is held"
    hung_mount_release
    wait_until only_green "$window" || fail "the rows of $folder did not land once released"
  done
  # Closed while a lookup waits.
  hung_mount_hold
  xdotool key End BackSpace
  wait_until no_colour "$window" || fail "page 0 is not pending once held again"
  xdotool key alt+F4
  wait_until program_ended || fail "closing the window did not end the program"
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status") after closing, not 0"
}

# The default value of a registry key, empty when there is none.
reg_default() {
  wine reg query "$1" /ve 2>/dev/null </dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}

# "version|publisher|size in kB|uninstall command" of each entry named
# "Stonequill Patch" in the lists of installed programs, the user's and the
# machine's (where Wine puts a per-user package's entry).
uninstall_entries() {
  local key
  for key in HKCU\\Software HKLM\\Software HKLM\\Software\\Wow6432Node; do
    wine reg query "$key\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null </dev/null || true
  done | tr -d '\r' | awk -F '    ' '
    function flush() { if (name == "Stonequill Patch") print version "|" publisher "|" size "|" remove }
    /^HKEY/ { flush(); name = version = publisher = size = remove = "" }
    $2 == "DisplayName" { name = $4 }
    $2 == "DisplayVersion" { version = $4 }
    $2 == "Publisher" { publisher = $4 }
    $2 == "Size" { size = $4 }
    $2 == "UninstallString" { remove = $4 }
    END { flush() }'
}
one_entry() { [ "$(uninstall_entries | cut -d '|' -f 1-2)" = "$1|Stonequill" ]; }

# Started with a patch file alone in a prefix of its own that holds a client
# under "C:\Program Files (x86)\" and a CD copy on a drive D: of the CD-ROM
# kind: the folders found take the walk to the last page in 13 key presses.
found() {
  export WINEPREFIX=$work/prefix
  trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
  timeout 300 wineboot --init >/dev/null 2>&1 </dev/null || true
  local game="$WINEPREFIX/drive_c/Program Files (x86)/Publisher/Game" file window
  mkdir -p "$game" "$work/disc"
  for file in StaIdx0.mul Statics0.mul Map0.mul; do truncate -s 100 "$game/$file" "$work/disc/$file"; done
  truncate -s 21971754 "$work/disc/Statics0.mul"  # The Second Age
  ln -s "$work/disc" "$WINEPREFIX/dosdevices/d:"
  wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >>"$work/wine.log" 2>&1 </dev/null
  # Drive kinds are read when Wine starts.
  wineserver -w
  touch "$work/north.sq2"
  start_program "$(windows_path "$work/north.sq2")"
  wait_until window_shown "Stonequill Patch 1" || fail "no window titled \"Stonequill Patch 1\""
  window=$(window_id "Stonequill Patch 1")
  # The search has answered once the empty client field shows its cue.
  wait_until cue_shown "$window" || fail "the client field shows no cue"
  save_shot "$window" found-cue
  xdotool windowfocus --sync "$window"
  local keys expected step=0
  for keys in "Tab Down Return" "Tab Tab Return" "Tab Tab Down Return" "Tab Tab Return"; do
    step=$((step + 1))
    # shellcheck disable=SC2086
    xdotool key --delay 200 $keys
    case $step in
      1 | 3) expected=only_green ;;
      2) expected=only_red ;;
      4) expected=no_colour ;;
    esac
    wait_until "$expected" "$window" || fail "after \"$keys\" (step $step) the page is not $expected"
    save_shot "$window" "found-$step"
  done
}

# The installer in a fresh prefix of its own, as a user meets it: a silent
# install for the user alone, the .sq2 association, a double-click on a
# patch file, the same version rebuilt and a higher one installed over it,
# an older one refused, and a silent uninstall that leaves nothing behind.
installer() {
  local msi=$helper version
  version=${msi##*/sqpatch-}
  version=${version%-win64.msi}
  export WINEPREFIX=$work/prefix
  trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
  timeout 300 wineboot --init >/dev/null 2>&1 </dev/null || true
  msiexec() { timeout 200 wine msiexec "$@" /qn >>"$work/wine.log" 2>&1 </dev/null; }
  msiexec /i "$(windows_path "$msi")" || fail "the silent install failed"

  local folder local_folder classes='HKCU\Software\Classes'
  folder="$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null </dev/null | tr -d '\r')\Programs\Stonequill Patch"
  local_folder=$(winepath -u "$folder" 2>/dev/null)
  [ "$(ls "$local_folder" | paste -sd ' ')" = "README.txt sqpatch.exe" ] ||
    fail "$folder holds: $(ls -A "$local_folder" 2>&1)"
  cmp -s "$local_folder/sqpatch.exe" "$exe" || fail "the installed sqpatch.exe is not the one built"
  local key value
  while IFS='|' read -r key value; do
    [ "$(reg_default "$classes\\$key")" = "$value" ] || fail "$key is not $value"
  done <<EOF
.sq2|Stonequill.Patch
Stonequill.Patch\shell\open\command|"$folder\sqpatch.exe" "%1"
Stonequill.Patch\DefaultIcon|"$folder\sqpatch.exe",0
EOF
  [[ "$(uninstall_entries)" =~ ^$version[|]Stonequill[|][1-9][0-9]*[|]MsiExec.exe\ /X[{][-0-9A-F]+[}]$ ]] ||
    fail "uninstall entry: $(uninstall_entries)"
  local icon
  icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null </dev/null |
    tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
  [ -s "$(winepath -u "$icon" 2>/dev/null)" ] || fail "the entry has no icon: \"$icon\""

  # A double-click in Explorer: the shell finds the command through
  # HKEY_CLASSES_ROOT, the user's classes over the machine's. Wine 8 shows
  # the machine's alone there, so the user's two keys are copied across for
  # its shell while the file opens, and taken away again.
  for key in .sq2 Stonequill.Patch; do
    wine reg copy "$classes\\$key" "HKLM\Software\Classes\\$key" /s /f >/dev/null 2>&1 </dev/null
  done
  mkdir "$work/my patches"
  touch "$work/my patches/north.sq2"
  timeout 60 wine start /unix "$work/my patches/north.sq2" >>"$work/wine.log" 2>&1 </dev/null ||
    fail "wine start on a .sq2 file failed"
  wait_until window_shown "Stonequill Patch 1" || fail "opening north.sq2 showed no wizard"
  window_shown Error && fail "opening north.sq2 showed an Error box"
  local window arguments
  window=$(window_id "Stonequill Patch 1")
  arguments=$(tr '\0' '\n' </proc/"$(xdotool getwindowpid "$window")"/cmdline | sed -n '2,$p' | grep .)
  [ "$arguments" = "$(windows_path "$work/my patches/north.sq2")" ] ||
    fail "the wizard was started with: $arguments"
  xdotool windowfocus --sync "$window" key alt+F4
  wait_until window_gone "Stonequill Patch 1" || fail "the wizard did not close"
  for key in .sq2 Stonequill.Patch; do
    wine reg delete "HKLM\Software\Classes\\$key" /f >/dev/null 2>&1 </dev/null
  done

  # The same package again, the same version rebuilt, then a higher one:
  # each replaces what was there. An older one is refused.
  local make_msi major minor higher
  make_msi="$(dirname "$0")/../../packaging/windows/make-msi.sh"
  IFS=. read -r major minor _ <<<"$version"
  higher=$major.$((minor + 1))
  bash "$make_msi" "$version" "$work/rebuilt.msi" "$exe"
  bash "$make_msi" "$higher" "$work/higher.msi" "$exe"
  local package
  for package in "$msi $version" "$work/rebuilt.msi $version" "$work/higher.msi $higher"; do
    msiexec /i "$(windows_path "${package% *}")" || fail "installing ${package% *} failed"
    one_entry "${package#* }" || fail "after ${package% *}: $(uninstall_entries)"
  done
  msiexec /i "$(windows_path "$msi")" && fail "$version was installed over $higher"
  one_entry "$higher" || fail "after refusing $version: $(uninstall_entries)"

  # The entry's own command, silent.
  local remove
  remove=$(uninstall_entries | cut -d '|' -f 4)
  timeout 200 wine $remove /qn >>"$work/wine.log" 2>&1 </dev/null || fail "the silent uninstall failed"
  [ ! -e "$local_folder" ] && [ ! -e "$(dirname "$local_folder")" ] || fail "files are left behind"
  ls "$(dirname "$(dirname "$(winepath -u "$icon")")")" | grep -q '^{' && fail "an entry's icon is left behind"
  for key in .sq2 Stonequill.Patch; do
    wine reg query "$classes\\$key" >/dev/null 2>&1 </dev/null && fail "$classes\\$key is left behind"
  done
  [ -z "$(uninstall_entries)" ] || fail "the uninstall entry is left behind"
  [ -f "$work/my patches/north.sq2" ] || fail "the user's patch file went too"
}

helper=${4:-}
case "$mode" in
  walk) walk ;;
  usage) usage ;;
  reporter) reporter ;;
  minimised) minimised ;;
  maximised) maximised ;;
  drop) drop ;;
  accessible) accessible ;;
  scaled) scaled "$helper" ;;
  folder_field) folder_field ;;
  hung_mount) hung_mount ;;
  installer) installer ;;
  found) found ;;
  *) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
