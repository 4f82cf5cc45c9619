#!/usr/bin/env bash
# The Debian package as a user meets it: built from the normal build folder, checked by lintian,
# desktop-file-validate and appstreamcli, installed into a root of its own, both programs run
# there by an ordinary user without QUORELLA_HOME, then purged: nothing of it may stay behind
# but that user's own data.
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
BUILD=$1 SOURCE=$2 VERSION=$3
export PATH="$PATH:/usr/sbin:/sbin" LC_ALL=C.UTF-8
WORK=$(mktemp -d "${TMPDIR:-/tmp}/quorella-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
chmod 755 "$WORK"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

step "cpack"
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log"; fail "cpack could not build the package"; }
DEB=$(echo "$WORK"/out/quorella_*.deb)
[ -f "$DEB" ] || fail "no package in $WORK/out"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $DEPENDS"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libstdc++6 libqt6svg6 libicu; do
  [[ $DEPENDS == *"$library"* ]] || fail "Depends does not name $library"
done

step "lintian"
lintian --fail-on error "$DEB" || fail "lintian reports errors"

step "install into a root of its own"
ROOT=$WORK/root
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates" "$ROOT/var/lib/dpkg/triggers"
touch "$ROOT/var/lib/dpkg/status" "$ROOT/var/lib/dpkg/available"
# The libraries are the host's: the fresh root has no package database to satisfy Depends. The
# log stays here too, not in the host's /var/log/dpkg.log.
DPKG=(dpkg --root="$ROOT" --log="$WORK/dpkg-history.log" --force-not-root)
"${DPKG[@]}" --force-depends --install "$DEB" >"$WORK/dpkg.log" 2>&1 ||
  { cat "$WORK/dpkg.log"; fail "dpkg could not install the package"; }
USR=$ROOT/usr
for file in bin/quorella bin/quorella-cli share/quorella/quorel.hlp \
  share/applications/example.tamsel.Quorella.desktop share/metainfo/example.tamsel.Quorella.metainfo.xml \
  share/icons/hicolor/scalable/apps/example.tamsel.Quorella.svg share/man/man1/quorella.1.gz \
  share/man/man1/quorella-cli.1.gz share/bash-completion/completions/quorella-cli \
  share/doc/quorella/copyright share/doc/quorella/changelog.gz; do
  [ -f "$USR/$file" ] || fail "the package does not install /usr/$file"
done
for size in 16 32 48 64 128 256; do
  [ -f "$USR/share/icons/hicolor/${size}x${size}/apps/example.tamsel.Quorella.png" ] ||
    fail "no ${size}x${size} icon"
done

step "desktop-file-validate, appstreamcli validate"
desktop-file-validate "$USR/share/applications/example.tamsel.Quorella.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$USR/share/metainfo/example.tamsel.Quorella.metainfo.xml" ||
  fail "appstreamcli validate"

step "manual pages"
for page in quorella quorella-cli; do
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$USR/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page(1): $warnings"
done
# Every command and every option of the program's help has its entry.
help=$("$USR/bin/quorella-cli" --help)
rendered=$(MANWIDTH=200 man -l "$USR/share/man/man1/quorella-cli.1.gz" 2>/dev/null | col -b)
for command in $(sed -n '/^Commands:/,/^$/{/^  /s/^  \([^ ]*\).*/\1/p}' <<<"$help"); do
  grep -qE "^       $command( |$)" <<<"$rendered" || fail "quorella-cli(1) has no entry for $command"
done
for option in $(grep -oE -- '--[a-z-]+' <<<"$help" | sort -u); do
  grep -qE -- "$option\b" <<<"$rendered" || fail "quorella-cli(1) does not mention $option"
done
# Each command's usage in the help is, word for word, its entry in the manual page and its row in
# the README's table of commands.
readme=$(sed 's/\\|/|/g' "$SOURCE/README.md")
while IFS= read -r usage; do
  awk -v usage="       $usage" 'index($0, usage) == 1 && substr($0, length(usage) + 1) ~ /^( .*)?$/ { found = 1 }
    END { exit !found }' <<<"$rendered" || fail "quorella-cli(1) does not give the usage \"$usage\""
  grep -qF "| \`$usage\` |" <<<"$readme" || fail "README's table of commands has no row \"$usage\""
done < <(sed -n '/^Commands:/,/^$/{/^  /{s/^  //;s/  .*//;p}}' <<<"$help")

# An ordinary user: nobody when this runs as root (as CI does), else whoever runs it.
USER_HOME=$WORK/home
mkdir -p "$USER_HOME/Documents" "$USER_HOME/.config" "$WORK/runtime" "$WORK/fresh"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$USER_HOME/.config/user-dirs.dirs"
cp "$SOURCE/data/quorella-faq.txt" "$WORK/sample.txt"
chmod 644 "$WORK/sample.txt"
AS_USER=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$USER_HOME" "$WORK/runtime" "$WORK/fresh"
  AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 700 "$WORK/runtime"
# The command line that runs a program as that user with HOME: setpriv and env each exec the
# next, so a command started with it in the background is the program's own process.
user_command() {
  # QUORELLA_TEST_RUN, the mark of a test run (scripts/test.sh), lets it find what stayed behind.
  USER_COMMAND=("${AS_USER[@]}" env -i PATH="$USR/bin:/usr/bin:/bin" HOME="$1" LANG=C.UTF-8
    XDG_RUNTIME_DIR="$WORK/runtime" QUORELLA_TEST_RUN="${QUORELLA_TEST_RUN:-}")
}
as_user() {
  user_command "$1"
  shift
  "${USER_COMMAND[@]}" "$@"
}
DATA=$USER_HOME/.local/share/quorella

step "quorella-cli as an ordinary user"
version=$(as_user "$USER_HOME" quorella-cli --version)
[ "$version" = "quorella-cli $VERSION" ] || fail "--version printed \"$version\""
as_user "$USER_HOME" quorella-cli list >/dev/null || fail "list"
[ ! -e "$DATA" ] || fail "reading created $DATA"
count=$(as_user "$USER_HOME" quorella-cli import "$WORK/sample.txt" "Quorella FAQ") || fail "import"
[[ $count =~ ^[1-9][0-9]*$ ]] || fail "import printed \"$count\""
[ -f "$DATA/Quorella FAQ.dat" ] || fail "import wrote no document into $DATA"
[ -f "$USER_HOME/.config/quorella/settings.db" ] || fail "no settings store in ~/.config/quorella"
pages=$(as_user "$USER_HOME" quorella-cli generate "Quorella FAQ") || fail "generate"
[ "$(head -n 1 <<<"$pages")" = "$USER_HOME/Documents/Quorella/Quorella FAQ/faq.html" ] ||
  fail "generate wrote \"$(head -n 1 <<<"$pages")\", not the documents folder's Quorella/Quorella FAQ/faq.html"
while IFS= read -r page; do [ -s "$page" ] || fail "$page is missing or empty"; done <<<"$pages"
# A question in another script is read as Latin letters by ICU's transforms, which the program
# loads only then.
as_user "$USER_HOME" quorella-cli add "Вопросы" >/dev/null || fail "add"
for value in "Directory $USER_HOME/Documents/Voprosy/" "PageStyle 1" "AnswersPage 0"; do
  as_user "$USER_HOME" quorella-cli set "Вопросы" $value >/dev/null || fail "set $value"
done
as_user "$USER_HOME" quorella-cli add-question "Вопросы" "Привет, как дела?" --answer "Хорошо." \
  >/dev/null || fail "add-question"
pages=$(as_user "$USER_HOME" quorella-cli generate "Вопросы") || fail "generate in Russian"
grep -q 'privet-kak-dela\.html$' <<<"$pages" ||
  fail "no page named from the Russian question's transliteration: $pages"

step "bash completion"
completes() { # WORDS... -> the completions of the last word, one a line
  as_user "$USER_HOME" bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1));
    _quorella_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    "$USR/share/bash-completion/completions/quorella-cli" "$@"
}
expect_completion() { # EXPECTED WORDS...
  local expected=$1 got
  shift
  got=$(completes "$@")
  [ "$got" = "$expected" ] || fail "completing \"$*\" gave \"$got\", not \"$expected\""
}
expect_completion $'get\ngenerate' quorella-cli ge
expect_completion "Quorella FAQ" quorella-cli generate Quo
expect_completion "Directory" quorella-cli get '"Quorella FAQ"' Dir
expect_completion "--keep-numbers" quorella-cli import --k
expect_completion "--encoding" quorella-cli import --enc
expect_completion $'auto\nutf-8\nwindows-1252' quorella-cli import f.txt F --encoding ""
expect_completion $'0\n1\n2\n3\n4' quorella-cli add-question "Quorella\ FAQ" Why --format ""
expect_completion $'text\nmarkdown\nhtml\ncsv\nqa\njson' quorella-cli import f.md F --format ""
expect_completion $'markdown\ncsv\njson' quorella-cli export "Quorella\ FAQ" f.md --format ""
expect_completion "Quorella FAQ" quorella-cli set-answer Quo

step "the window, offscreen, on a first start"
FRESH=$WORK/fresh
user_command "$FRESH"
"${USER_COMMAND[@]}" QT_QPA_PLATFORM=offscreen quorella >"$WORK/window.log" 2>&1 &
window=$!
trap 'kill "$window" 2>/dev/null || true; rm -rf "$WORK"' EXIT
for _ in $(seq 1 100); do
  [ -f "$FRESH/.local/share/quorella/FAQ.dat" ] && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$window" 2>/dev/null || { cat "$WORK/window.log"; fail "the window ended on its own"; }
[ "$(readlink "/proc/$window/exe")" = "$USR/bin/quorella" ] ||
  fail "process $window is $(readlink "/proc/$window/exe"), not the window"
kill "$window"
wait "$window" 2>/dev/null || true
for process in /proc/[0-9]*; do
  [ "$(readlink "$process/exe" 2>/dev/null)" != "$USR/bin/quorella" ] ||
    fail "a window is still running after it was ended: ${process#/proc/}"
done
[ -f "$FRESH/.local/share/quorella/FAQ.dat" ] ||
  { cat "$WORK/window.log"; fail "the window's first start created no FAQ.dat in ~/.local/share/quorella"; }

step "purge"
"${DPKG[@]}" --purge quorella >"$WORK/dpkg.log" 2>&1 ||
  { cat "$WORK/dpkg.log"; fail "dpkg could not remove the package"; }
left=$(cd "$ROOT" && find . -mindepth 1 -path ./var -prune -o -print)
[ -z "$left" ] || fail "left behind after the purge: $left"
! ls "$ROOT/var/lib/dpkg/info" | grep -q quorella || fail "dpkg still knows files of quorella"
[ -f "$DATA/Quorella FAQ.dat" ] && [ -f "$USER_HOME/Documents/Quorella/Quorella FAQ/faq.html" ] ||
  fail "the purge took the user's data"
echo "The package installs, runs for an ordinary user and goes again without a trace."
