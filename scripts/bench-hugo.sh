#!/usr/bin/env bash
# Builds the same 10,000-question FAQ with quorella-cli and with Hugo (Debian's hugo, minimal
# templates: a list page and one page per question) and times both, runs paired and alternating,
# on tmpfs. Prints the median wall time, CPU time and peak memory of each and their ratios.
#
#   bash scripts/bench-hugo.sh [QUESTIONS] [RUNS]      (defaults: 10000 questions, 5 runs)
#
# Quorella is timed as a whole `quorella-cli generate` process (start-up included) in the default
# layout with one answer per page; Hugo as a whole `hugo` process. Beside them, in the same runs: a
# second `generate` with nothing changed, `cp -r` of Quorella's pages into a fresh folder (the same
# bytes written by a process of its own: the floor), and with QUORELLA_BASELINE_CLI another build of
# quorella-cli (an earlier version) on the same FAQ.
source "$(dirname "$0")/common.sh"
QUESTIONS="${1:-10000}"
RUNS="${2:-5}"
[[ $QUESTIONS =~ ^[1-9][0-9]*$ && $RUNS =~ ^[1-9][0-9]*$ ]] ||
  { echo "usage: bash scripts/bench-hugo.sh [QUESTIONS] [RUNS] (whole numbers from 1)" >&2; exit 2; }
install_missing hugo
configure_and_build "$BUILD_DIR" >/dev/null
CLI="$BUILD_DIR/src/cli/quorella-cli"

WORK="$(mktemp -d /dev/shm/quorella-hugo.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
export QUORELLA_HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$QUORELLA_HOME" "$WORK/site/content/q" "$WORK/site/layouts/_default"

# The same questions and answers for both: a plain-text FAQ for Quorella's import, one Markdown
# file a question for Hugo.
awk -v n="$QUESTIONS" -v text="$WORK/faq.txt" -v content="$WORK/site/content/q" 'BEGIN {
  for (i = 1; i <= n; i++) {
    q = "How does feature number " i " of the product work?"
    a = "Feature " i " works as described in the manual. See the settings page for the options\nthat change it, and write to the support team when something is unclear."
    printf "%s\r\n%s\r\n\r\n", q, a > text
    file = sprintf("%s/%05d.md", content, i)
    printf "---\ntitle: \"%s\"\nweight: %d\n---\n%s\n", q, i, a > file
    close(file)
  }
}'
cat > "$WORK/site/config.toml" <<'EOF'
baseURL = "http://example.org/"
title = "FAQ"
disableKinds = ["taxonomy", "term", "RSS", "sitemap", "robotsTXT", "404"]
EOF
cat > "$WORK/site/layouts/_default/list.html" <<'EOF'
<!DOCTYPE html><html><head><title>{{ .Title }}</title></head><body><h1>{{ .Title }}</h1>
<ul>{{ range .Pages.ByWeight }}<li><a href="{{ .RelPermalink }}">{{ .Title }}</a></li>{{ end }}</ul></body></html>
EOF
cat > "$WORK/site/layouts/_default/single.html" <<'EOF'
<!DOCTYPE html><html><head><title>{{ .Title }}</title></head><body><h1>{{ .Title }}</h1>
{{ .Content }}<p>{{ with .PrevInSection }}<a href="{{ .RelPermalink }}">Previous</a>{{ end }}
{{ with .NextInSection }}<a href="{{ .RelPermalink }}">Next</a>{{ end }}</p></body></html>
EOF
cp "$WORK/site/layouts/_default/list.html" "$WORK/site/layouts/index.html"

"$CLI" import "$WORK/faq.txt" FAQ >/dev/null
"$CLI" set FAQ AnswersPage 0
"$CLI" set FAQ Directory "$WORK/out-quorella/"

# Prints "wall CPU maxrss_kib" of one run of the command, timed to the microsecond (a Go of a few
# questions takes milliseconds); a command that fails stops the benchmark.
measure() {
  "$BUILD_DIR/bench/run_timed" --memory "$@" || {
    echo "bench-hugo: \"$*\" failed" >&2
    exit 1
  }
}
: >"$WORK/quorella.txt"; : >"$WORK/hugo.txt"; : >"$WORK/unchanged.txt"; : >"$WORK/copy.txt"
: >"$WORK/baseline.txt"
for run in $(seq "$RUNS"); do
  if [ -n "${QUORELLA_BASELINE_CLI:-}" ]; then
    rm -rf "$WORK/out-quorella"
    measure "$QUORELLA_BASELINE_CLI" generate FAQ >>"$WORK/baseline.txt"
  fi
  rm -rf "$WORK/out-quorella" "$WORK/out-hugo" "$WORK/out-copy"
  measure "$CLI" generate FAQ >>"$WORK/quorella.txt"
  measure "$CLI" generate FAQ >>"$WORK/unchanged.txt"
  measure cp -r "$WORK/out-quorella" "$WORK/out-copy" >>"$WORK/copy.txt"
  measure hugo --quiet -s "$WORK/site" -d "$WORK/out-hugo" >>"$WORK/hugo.txt"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }
echo "questions: $QUESTIONS, runs: $RUNS (medians; $(hugo version | awk '{ print "Hugo", $2 }'))"
awk -v qw="$(column_median "$WORK/quorella.txt" 1)" -v hw="$(column_median "$WORK/hugo.txt" 1)" \
    -v qc="$(column_median "$WORK/quorella.txt" 2)" -v hc="$(column_median "$WORK/hugo.txt" 2)" \
    -v qm="$(column_median "$WORK/quorella.txt" 3)" -v hm="$(column_median "$WORK/hugo.txt" 3)" 'BEGIN {
  printf "%-10s %8s %8s %12s\n", "", "wall s", "CPU s", "memory MiB"
  printf "%-10s %8.4f %8.4f %12.1f\n", "quorella", qw, qc, qm / 1024
  printf "%-10s %8.4f %8.4f %12.1f\n", "hugo", hw, hc, hm / 1024
  printf "Quorella / Hugo: wall %.2f, CPU %.2f, memory %.2f (Hugo takes %.1fx the wall time)\n",
         qw / hw, qc / hc, qm / hm, hw / qw
}'
for kind in unchanged copy baseline; do
  [ -s "$WORK/$kind.txt" ] || continue
  awk -v kind="$kind" -v w="$(column_median "$WORK/$kind.txt" 1)" \
      -v c="$(column_median "$WORK/$kind.txt" 2)" -v m="$(column_median "$WORK/$kind.txt" 3)" \
      -v qw="$(column_median "$WORK/quorella.txt" 1)" 'BEGIN {
    printf "%-10s %8.4f %8.4f %12.1f   wall %.2f of quorella\047s first Go\n", kind, w, c, m / 1024, w / qw
  }'
done
