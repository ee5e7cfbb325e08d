#!/usr/bin/env bash
# What a user finds once Quillmark is installed: the programs run, both manual
# pages render, and the shell completes quillmark's commands, options and targets.
#
#   check_install.sh tree BUILD SOURCE          the build folder's pages and programs,
#                                               the source's completion file
#   check_install.sh deb BUILD VERSION PLUGINS  the Debian package cpack makes of BUILD,
#                                               unpacked into a scratch root; PLUGINS is
#                                               the add-in folder as seen from bin
# Status 77 (skipped) when a tool it needs is not installed.
set -euo pipefail
kind="$1" build="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/setup installs it)"; exit 77; }
  done
}

need man
if [ "$kind" = deb ]; then
  version="$3" plugins="$4"
  need cpack dpkg-deb dpkg-shlibdeps file
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; exit 1; }
  deb="$scratch/out/quillmark_${version}_amd64.deb"
  [ -f "$deb" ] || { ls "$scratch/out" >&2; fail "no $deb"; exit 1; }
  # The dependencies come from the Qt libraries the programs link.
  depends="$(dpkg-deb -f "$deb" Depends)"
  [[ $depends == *libqt6widgets6* ]] || fail "Depends names no Qt Widgets: $depends"
  root="$scratch/root"
  dpkg -x "$deb" "$root"
  bin="$root/usr/bin" man1="$root/usr/share/man/man1"
  completion="$root/usr/share/bash-completion/completions/quillmark"
  for file in "$bin/quillmark-ide" "$bin/$plugins/libquillmark_addin.so" \
              "$root/usr/share/quillmark/penwork.html" "$root/usr/share/quillmark/vbaddin.ini" \
              "$root/usr/share/applications/quillmark-ide.desktop" \
              "$root/usr/share/icons/hicolor/scalable/apps/quillmark-ide.svg"; do
    [ -f "$file" ] || fail "the package holds no ${file#"$root"}"
  done
  [ "$("$bin/quillmark" --version)" = "quillmark $version" ] || fail "quillmark --version: $("$bin/quillmark" --version)"
  ide_version="$(QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" "$bin/quillmark-ide" --version 2>&1)"
  [ "$ide_version" = "Quillmark IDE $version" ] || fail "quillmark-ide --version: $ide_version"
else
  source="$3"
  bin="$build/src/cli" man1="$build/man" completion="$source/packaging/quillmark.bash"
fi

"$bin/quillmark" --help >/dev/null || fail "quillmark --help"
if "$bin/quillmark" --help | grep -q '^  check '; then
  "$bin/quillmark" check --help >/dev/null || fail "quillmark check --help"
fi

# Each page renders, and quillmark's has a section for every command.
for page in quillmark quillmark-ide; do
  text="$(MANWIDTH=80 man -l "$man1/$page.1.gz" 2>&1)" || fail "man -l $page.1.gz: $text"
  grep -Eq "^ +$page +- +[a-z]" <<<"$text" || fail "$page(1) has no NAME line"
done
for command in procedure module comment error revision indent notice outline settings check; do
  man -l "$man1/quillmark.1.gz" 2>/dev/null | grep -q "^QUILLMARK ${command^^}$" ||
    fail "quillmark(1) has no section for $command"
done

# Completion as a shell without bash-completion's helpers does it: LINE, ending in
# a blank when a new word starts, gives the words listed.
mkdir -p "$scratch/work/forms"
touch "$scratch/work/"{Main.bas,Order.CLS,Project1.vbp,notes.txt}
cases=(
  "quillmark ou|outline"
  "quillmark in|indent"
  "quillmark --v|--version"
  "quillmark indent --a|--all"
  "quillmark error --kind e|exe"
  "quillmark error --kind=r|resume-next"
  "quillmark revision --to code,l|code,log"
  "quillmark outline |Main.bas Order.CLS Project1.vbp forms"
  "quillmark comment --text @n|@notes.txt"
  "quillmark settings Author/N|Author/Name"
)
result="$(cd "$scratch/work" && PATH="$bin:$PATH" XDG_CONFIG_HOME="$scratch/config" bash --norc --noprofile -c '
  source "$1"; shift
  complete -p quillmark >/dev/null || echo "complete -p quillmark: not set"
  for case in "$@"; do
    line=${case%%|*}
    # Words as bash splits them: "=" stands alone.
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _quillmark
    mapfile -t got < <(printf "%s\n" "${COMPREPLY[@]}" | sort)
    mapfile -t want < <(printf "%s\n" ${case#*|} | sort)
    [[ "${got[*]}" == "${want[*]}" ]] || echo "[$line] gives [${got[*]}], not [${want[*]}]"
  done' - "$completion" "${cases[@]}")"
[ -z "$result" ] || fail "completion: $result"

[ "$failures" -eq 0 ] && echo "$kind: installed as a user finds it"
exit $((failures > 0))
