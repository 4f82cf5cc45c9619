#!/usr/bin/env bash
# Times a full Go as whole processes against the floor, in the four combinations of style and
# layout: classic Simple with one answer per page, classic Frames with all answers on one page,
# Modern with one answer per page and Modern with all answers on one page. Prints, per combination,
# the medians of paired runs and the median of the per-run ratios.
#
#   bash scripts/bench-go.sh [QUESTIONS] [RUNS]      (defaults: 10000 questions, 7 runs)
#
# Go: `quorella-cli generate` into a fresh folder on /dev/shm, process start included. Floor:
# bench/write_floor, a process that reads the pages Go wrote into memory and writes the same bytes
# into a fresh folder (open, write, close of each file); its reading is subtracted, so the floor is
# process start, writing and exit. `cp -r` of the pages is shown beside it. With
# QUORELLA_BASELINE_CLI another build of quorella-cli (an earlier version) runs in the same pairs.
# Every process is timed by bench/run_timed (wall and CPU time, microseconds); on a loaded machine
# the CPU times are the steadier figures.
#
# Then the full Go is timed again into the folder now holding that set, every page changed by a
# new title (what a user who retitles a published FAQ waits for). It is set against the same floor
# and against a floor of its own, bench/write_floor --replace: each file of the new set written
# into a scratch file beside the old one and renamed over it, the least a Go does that never lets
# a reader see a page half written.
#
# After the retitled Go two more Gos run into the same folder: one with nothing changed, and one
# after exactly one answer was changed in the FAQ's document file (a word of the middle answer
# swapped for another, back and forth from run to run, the document's shape kept). Each is shown
# in ms and as its share of the full Go into the fresh folder and of the retitled one. Each is also set against its own floor, bench/look_floor
# in a process of its own: for nothing changed, the page list read and each file it names looked
# at once, the least a check that notices pages edited or removed by hand can do; for one answer
# changed, that check, the document read whole, and the files the Go rewrote (those whose lines
# in the list changed) and the list written again with the bytes they hold.
source "$(dirname "$0")/common.sh"
QUESTIONS="${1:-10000}"
RUNS="${2:-7}"
configure_and_build "$BUILD_DIR" >/dev/null
CLI="$BUILD_DIR/src/cli/quorella-cli"
FLOOR="$BUILD_DIR/bench/write_floor"
LOOK_FLOOR="$BUILD_DIR/bench/look_floor"

WORK="$(mktemp -d /dev/shm/quorella-go.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
export QUORELLA_HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$QUORELLA_HOME"

# Answers of about 500 bytes in three lines, with a web address, an e-mail address, an entity
# character and an empty line, as answers are written.
awk -v n="$QUESTIONS" -v text="$WORK/faq.txt" 'BEGIN {
  for (i = 1; i <= n; i++) {
    printf "How does feature number %d of the product work?\r\n", i > text
    printf "Feature %d works as described in the manual at www.example.com/manual/%d.html and in the\r\n", i, i > text
    printf "release notes. See the settings page for the options that change it; the defaults suit \"most\"\r\n" > text
    printf "users, and the limits are <none> for now.\r\n\r\n" > text
    printf "Write to support@example.com (or to sales@example.com for prices in \342\202\254) when something is\r\n" > text
    printf "unclear, and say which version you use: it is shown in the about box.\r\n\r\n" > text
  }
}'
COMBINATIONS=(classic-simple-one classic-frames-all modern-one modern-all)
for name in "${COMBINATIONS[@]}"; do
  "$CLI" import "$WORK/faq.txt" "$name" >/dev/null
  "$CLI" set "$name" Directory "$WORK/out-$name/"
done
"$CLI" set classic-simple-one AnswersPage 0
"$CLI" set classic-frames-all Layout 1
"$CLI" set classic-frames-all AnswersPage 1
"$CLI" set modern-one PageStyle 1
"$CLI" set modern-one AnswersPage 0
"$CLI" set modern-all PageStyle 1
"$CLI" set modern-all AnswersPage 1

TIMED="$BUILD_DIR/bench/run_timed"
# Changes exactly one answer since the previous Go: "Feature N works" occurs in answer N only.
MIDDLE=$(((QUESTIONS + 1) / 2))
document_of() {
  find "$QUORELLA_HOME" -maxdepth 2 -type f -iname "$1.*" -not -name '*.quorella' | head -1
}
change_one_answer() {
  local document
  document=$(document_of "$1")
  if grep -q "Feature $MIDDLE works" "$document"; then
    sed -i "s/Feature $MIDDLE works/Feature $MIDDLE acts/" "$document"
  else
    sed -i "s/Feature $MIDDLE acts/Feature $MIDDLE works/" "$document"
  fi
}
# Appends the nothing-changed and the one-answer Go of CLI for combination $2 to files $3.*, and
# their shares of the full Go into a fresh folder ($4) and of the retitled one ($5).
second_gos() {
  local cli=$1 name=$2 prefix=$3 fresh=$4 retitled=$5 unchanged one list look rewritten
  unchanged=$("$TIMED" "$cli" generate "$name")
  list=$(find "$WORK/out-$name" -maxdepth 1 -name '.*.quorella' | head -1)
  look=$("$TIMED" "$LOOK_FLOOR" "$list")
  echo "$unchanged $look" | awk '{ printf "%.4f %.4f\n", $1 / $3, $2 / $4 }' >>"$prefix.unchanged-look"
  echo "$look" >>"$prefix.look"
  cp "$list" "$WORK/list-before"
  change_one_answer "$name"
  one=$("$TIMED" "$cli" generate "$name")
  # The files the Go rewrote: their lines in the list changed (a name is what follows the fifth
  # space).
  mapfile -t rewritten < <(grep -v '^#' "$list" | grep -vxFf "$WORK/list-before" | cut -d' ' -f6-)
  look=$("$TIMED" "$LOOK_FLOOR" "$list" "$(document_of "$name")" "${rewritten[@]}")
  echo "$one $look" | awk '{ printf "%.4f %.4f\n", $1 / $3, $2 / $4 }' >>"$prefix.one-look"
  echo "$look" >>"$prefix.one-floor"
  echo "$unchanged" >>"$prefix.unchanged"
  echo "$one" >>"$prefix.one"
  for second in unchanged one; do
    echo "${!second} $fresh $retitled" |
      awk '{ printf "%.4f %.4f %.4f %.4f\n", $1 / $3, $2 / $4, $1 / $5, $2 / $6 }' >>"$prefix.$second-share"
  done
}
# A Go records the document in its list only when the document's last change lies a tick of the
# file system's clock back (a tenth of a second here). People take longer than that between an
# edit and Go: the pause keeps each full Go from following the last one-answer change closer.
settle() { sleep 0.15; }
# The floor's process time less its reading ($1: write_floor's arguments).
floor_of() {
  local timed read_wall read_cpu
  timed=$("$TIMED" "$FLOOR" "$@")
  read -r read_wall read_cpu <"$WORK/read-times"
  echo "$timed" | awk -v w="$read_wall" -v c="$read_cpu" '{ printf "%.6f %.6f\n", $1 - w, $2 - c }'
}
ratio() { echo "$1 $2" | awk '{ printf "%.4f %.4f\n", $1 / $3, $2 / $4 }'; }
# The full Go of CLI into a fresh folder, then retitled, then the second Gos; prefix $3. With a
# fourth argument the floors are timed beside them.
full_gos() {
  local cli=$1 name=$2 prefix=$3 floors=${4:-} out="$WORK/out-$2" go retitled floor replace
  rm -rf "$out" "$WORK/floor" "$WORK/copy"
  "$cli" set "$name" Title "FAQ"
  settle
  go=$("$TIMED" "$cli" generate "$name")
  echo "$go" >>"$prefix.go"
  if [ -n "$floors" ]; then
    floor=$(floor_of "$out" "$WORK/floor" "$WORK/read-times")
    "$TIMED" cp -r "$out" "$WORK/copy" >>"$prefix.copy"
    echo "$floor" >>"$prefix.floor"
    ratio "$go" "$floor" >>"$prefix.ratio"
  fi
  "$cli" set "$name" Title "Questions and answers"
  retitled=$("$TIMED" "$cli" generate "$name")
  echo "$retitled" >>"$prefix.retitled"
  if [ -n "$floors" ]; then
    replace=$(floor_of "$out" "$WORK/copy" "$WORK/read-times" --replace)
    echo "$replace" >>"$prefix.replace"
    ratio "$retitled" "$floor" >>"$prefix.retitled-ratio"
    ratio "$retitled" "$replace" >>"$prefix.replace-ratio"
  fi
  second_gos "$cli" "$name" "$prefix" "$go" "$retitled"
}
for run in $(seq "$RUNS"); do
  for name in "${COMBINATIONS[@]}"; do
    [ -n "${QUORELLA_BASELINE_CLI:-}" ] && full_gos "$QUORELLA_BASELINE_CLI" "$name" "$WORK/$name.baseline"
    full_gos "$CLI" "$name" "$WORK/$name" floors
  done
done

median() { awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ms() { awk -v s="$(median "$1" "$2")" 'BEGIN { printf "%.1f", s * 1000 }'; }
baseline_of() {
  if [ -s "$WORK/$1.baseline.$2" ]; then
    echo "$(ms "$WORK/$1.baseline.$2" 1) / $(ms "$WORK/$1.baseline.$2" 2)"
  else
    echo "-"
  fi
}
echo "questions: $QUESTIONS, runs: $RUNS (medians of paired runs on /dev/shm; ms wall / ms CPU)"
echo
echo "full Go into a fresh folder"
printf "%-20s %6s %14s %14s %12s %14s %14s\n" "combination" "files" "Go" "floor" "Go/floor" \
       "cp -r" "baseline Go"
for name in "${COMBINATIONS[@]}"; do
  printf "%-20s %6s %14s %14s %12s %14s %14s\n" "$name" "$(find "$WORK/out-$name" -type f | wc -l)" \
         "$(ms "$WORK/$name.go" 1) / $(ms "$WORK/$name.go" 2)" \
         "$(ms "$WORK/$name.floor" 1) / $(ms "$WORK/$name.floor" 2)" \
         "$(median "$WORK/$name.ratio" 1) / $(median "$WORK/$name.ratio" 2)" \
         "$(ms "$WORK/$name.copy" 1) / $(ms "$WORK/$name.copy" 2)" "$(baseline_of "$name" go)"
done
echo
echo "full Go into the folder holding the set, every page changed by a new title"
printf "%-20s %14s %12s %14s %14s %14s\n" "combination" "Go" "Go/floor" "replace floor" \
       "Go/replace" "baseline Go"
for name in "${COMBINATIONS[@]}"; do
  printf "%-20s %14s %12s %14s %14s %14s\n" "$name" \
         "$(ms "$WORK/$name.retitled" 1) / $(ms "$WORK/$name.retitled" 2)" \
         "$(median "$WORK/$name.retitled-ratio" 1) / $(median "$WORK/$name.retitled-ratio" 2)" \
         "$(ms "$WORK/$name.replace" 1) / $(ms "$WORK/$name.replace" 2)" \
         "$(median "$WORK/$name.replace-ratio" 1) / $(median "$WORK/$name.replace-ratio" 2)" \
         "$(baseline_of "$name" retitled)"
done
echo
echo "second Gos into the same folder (ms wall / ms CPU; share of the full Go into a fresh folder"
echo "and of the retitled one, of the same run)"
printf "%-20s %-9s %14s %14s %14s %14s %14s %14s %14s %14s %14s %14s\n" "combination" "program" \
       "nothing" "share fresh" "share retitled" "floor" "nothing/floor" "one answer" "share fresh" \
       "share retitled" "floor" "one/floor"
for name in "${COMBINATIONS[@]}"; do
  for program in this baseline; do
    prefix="$WORK/$name"
    [ "$program" = baseline ] && prefix="$WORK/$name.baseline"
    [ -s "$prefix.unchanged" ] || continue
    printf "%-20s %-9s %14s %14s %14s %14s %14s %14s %14s %14s %14s %14s\n" "$name" "$program" \
           "$(ms "$prefix.unchanged" 1) / $(ms "$prefix.unchanged" 2)" \
           "$(median "$prefix.unchanged-share" 1) / $(median "$prefix.unchanged-share" 2)" \
           "$(median "$prefix.unchanged-share" 3) / $(median "$prefix.unchanged-share" 4)" \
           "$(ms "$prefix.look" 1) / $(ms "$prefix.look" 2)" \
           "$(median "$prefix.unchanged-look" 1) / $(median "$prefix.unchanged-look" 2)" \
           "$(ms "$prefix.one" 1) / $(ms "$prefix.one" 2)" \
           "$(median "$prefix.one-share" 1) / $(median "$prefix.one-share" 2)" \
           "$(median "$prefix.one-share" 3) / $(median "$prefix.one-share" 4)" \
           "$(ms "$prefix.one-floor" 1) / $(ms "$prefix.one-floor" 2)" \
           "$(median "$prefix.one-look" 1) / $(median "$prefix.one-look" 2)"
  done
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
