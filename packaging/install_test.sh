#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a new user would:
#   install_test.sh BUILD_DIR APP_ID
# Checks the installed tree, validates the menu entry and the AppStream metainfo, and runs the
# installed taiyi-cli from another folder with an empty HOME: a chart text with the shipped
# star and ju texts, a stored case, and no shipped file copied into the user's folder.
set -euo pipefail
build=$1
app_id=$2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/taiyi bin/taiyi-cli \
  share/taiyi/dat/yistar.txt share/taiyi/dat/jutext.txt share/taiyi/dat/oldbk.jpg \
  share/taiyi/dat/dili.ini share/taiyi/skins/Mx1.skn share/taiyi/skins/Ink.skn \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
  share/icons/hicolor/scalable/apps/taiyi.svg share/icons/hicolor/16x16/apps/taiyi.png \
  share/icons/hicolor/256x256/apps/taiyi.png share/man/man1/taiyi.1.gz \
  share/man/man1/taiyi-cli.1.gz share/bash-completion/completions/taiyi-cli; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$app_id.metainfo.xml" >"$tmp/as.txt" ||
  { cat "$tmp/as.txt"; fail "metainfo"; }
grep -qx "Icon=taiyi" "$prefix/share/applications/$app_id.desktop" || fail "desktop entry icon"
zcat "$prefix/share/man/man1/taiyi-cli.1.gz" | grep -q '^\.TH TAIYI-CLI 1 .*taiyi [0-9]' ||
  fail "man page version"
bash -n "$prefix/share/bash-completion/completions/taiyi-cli" || fail "completion syntax"
# File names complete after every option and command that reads or writes a file.
if [ -f /usr/share/bash-completion/bash_completion ]; then
  mkdir -p "$tmp/files" && touch "$tmp/files/report.pdf"
  completes() {
    (cd "$tmp/files" && PATH="$prefix/bin:$PATH" bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$0"
      COMP_WORDS=("$@" ""); COMP_CWORD=$#; COMP_LINE="$*  "; COMP_POINT=${#COMP_LINE}
      _taiyi_cli; printf "%s\n" "${COMPREPLY[@]}"' \
      "$prefix/share/bash-completion/completions/taiyi-cli" taiyi-cli "$@")
  }
  for words in "chart --pdf" "chart --png" "chart --batch" "case report 1 --pdf" "case load" \
    "case import"; do
    # shellcheck disable=SC2086  # the words are the command line typed so far
    completes $words | grep -qx report.pdf || fail "no file names after: taiyi-cli $words"
  done
fi

# A new user: empty HOME, no data folder given, started from an unrelated folder.
home=$tmp/home
work=$tmp/work
mkdir -p "$home" "$work"
cd "$work"
run() { env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@"; }

run "$prefix/bin/taiyi" --version | grep -qx "taiyi [0-9.]*" || fail "taiyi --version"
run "$prefix/bin/taiyi" --help | grep -q -- "--data-dir" || fail "taiyi --help"

chart=$(run "$prefix/bin/taiyi-cli" chart --date 1984-03-05 --time 14:30 --name 张三 --text) ||
  fail "chart: $chart"
# The ju name and the star lines come from the shipped texts; without them both are missing.
grep -q "遁第.*局" <<<"$chart" || fail "chart text without the ju text: $chart"
grep -q "命宫:" <<<"$chart" || fail "chart text without the star lines: $chart"
id=$(run "$prefix/bin/taiyi-cli" case add --date 1984-03-05 --time 14:30 --name 张三 \
  --category 家人 --comment 安装测试) || fail "case add: $id"
run "$prefix/bin/taiyi-cli" case show "$id" | grep -q 安装测试 || fail "case show: no comment"
run "$prefix/bin/taiyi-cli" case list | grep -q 张三 || fail "case list"

folder=$home/.local/share/taiyi
[ -f "$folder/dat/TaiYi.db" ] || fail "no case database in $folder"
compgen -G "$folder/TaiYi_f/*.rtf" >/dev/null || fail "no comment file in $folder/TaiYi_f"
for shipped in yistar.txt jutext.txt oldbk.jpg dili.ini; do
  [ ! -e "$folder/dat/$shipped" ] || fail "shipped $shipped copied into the user's folder"
done
[ ! -e "$folder/skins" ] || fail "shipped skins copied into the user's folder"

# An upgrade that changes a shipped text reaches the user who has charted before.
sed -i 's/君基者/新版君基者/' "$prefix/share/taiyi/dat/yistar.txt"
run "$prefix/bin/taiyi-cli" chart --date 1984-03-05 --time 14:30 --text | grep -q "新版君基者" ||
  fail "a changed shipped text does not reach an existing user"
[ -z "$(ls -A "$work")" ] || fail "files written into the current folder: $(ls -A "$work")"
echo "installed tree, menu entry, metainfo and a new user's first run: ok"
