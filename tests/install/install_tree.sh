#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree: `cmake --install` into a scratch prefix puts every file in its place,
# the installed programs run from there and find their skins, the desktop entry and the
# AppStream metainfo validate, and the manual pages list the options --help lists.
# Usage: install_tree.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail=0
say() { echo "install tree: $*" >&2; fail=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/qm517pro bin/qm517ctl \
    share/qm517pro/Skins \
    lib/udev/rules.d/70-qm517pro.rules \
    share/applications/qm517pro.desktop \
    share/metainfo/com.example.qm517pro.metainfo.xml \
    share/man/man1/qm517pro.1.gz share/man/man1/qm517ctl.1.gz \
    share/bash-completion/completions/qm517ctl \
    share/doc/qm517pro/copyright share/doc/qm517pro/changelog.gz share/doc/qm517pro/README.md \
    share/icons/hicolor/scalable/apps/qm517pro.svg; do
    [ -e "$prefix/$file" ] || say "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/qm517pro.png"
    if [ ! -f "$icon" ]; then
        say "missing the ${size}x${size} icon"
    elif [[ $(file -b "$icon") != *"$size x $size"* ]]; then
        say "the ${size}x${size} icon is $(file -b "$icon")"
    fi
done
[ -e "$prefix/bin/Skins" ] && say "bin/ holds a Skins entry"
[ -n "$(find "$prefix/share/qm517pro/Skins" -name '*.png' -print -quit)" ] || say "no skin pictures installed"

# The installed programs run from the prefix and find the installed skins.
help=$("$prefix/bin/qm517pro" --help) || say "qm517pro --help failed"
grep -q "read from $prefix/share/qm517pro/" <<<"$help" || say "qm517pro does not read its skins from share/: $help"
list=$("$prefix/bin/qm517ctl" --emulate list) || say "qm517ctl --emulate list failed"
grep -q "mouse A11D: present" <<<"$list" || say "qm517ctl --emulate list: $list"

desktop-file-validate "$prefix/share/applications/qm517pro.desktop" || say "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/com.example.qm517pro.metainfo.xml" >/dev/null ||
    say "the metainfo does not validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/com.example.qm517pro.metainfo.xml")"
bash -n "$prefix/share/bash-completion/completions/qm517ctl" || say "the completion is not valid bash"

# Every option of --help has its entry in the manual page, and the other way round.
options_of_help() { grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u; }
options_of_man() {
    zcat "$1" | sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' | grep -E '^\.(B|BR|BI) ' | sed 's/\\-/-/g' |
        grep -oE '(^|[ "])--?[a-z][a-z-]*' | tr -d ' "' | sort -u
}
for program in qm517pro qm517ctl; do
    from_help=$("$prefix/bin/$program" --help | sed -n '/ptions:/,$p;/^Usage: qm517pro/,$p' | options_of_help)
    from_man=$(options_of_man "$prefix/share/man/man1/$program.1.gz")
    [ "$from_help" = "$from_man" ] || say "$program: --help lists [$(echo $from_help)], the manual page [$(echo $from_man)]"
done
commands_of_help=$("$prefix/bin/qm517ctl" --help | sed -n '/^Commands:/,/^$/p' | grep -oE '^  [a-z]+' | tr -d ' ' | sort -u)
commands_of_man=$(zcat "$prefix/share/man/man1/qm517ctl.1.gz" | sed -n '/^\.SH COMMANDS/,/^\.SH OPTIONS/p' |
    grep -E '^\.(B|BI|BR) ' | awk '{print $2}' | tr -d '"' | sort -u)
[ "$commands_of_help" = "$commands_of_man" ] ||
    say "qm517ctl: --help has the commands [$(echo $commands_of_help)], the manual page [$(echo $commands_of_man)]"

# The uninstall removes what the install made, its folders too, and nothing else.
touch "$prefix/share/kept"
cmake -DMANIFEST="$build/install_manifest.txt" -DPREFIX="$prefix" -P "$source/cmake/Uninstall.cmake" >/dev/null ||
    say "the uninstall failed"
left=$(cd "$prefix" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./share ./share/kept " ] || say "the uninstall left: $left"
exit $fail
