#!/usr/bin/env bash
# The Debian package as an operator gets it: built with CPack, unpacked into a temporary
# directory (never installed), its program directory made read-only. kovctl and kov-sim
# pointed at it keep their files in the per-user folder of a temporary HOME, the program
# starts offscreen from the unpacked tree and opens kov-sim's port, and the unpacked
# program directory stays as shipped.
# usage: package_test.sh BUILD_DIR CPACK
set -euo pipefail
build=$1
cpack=$2

work=$(mktemp -d)
sim=""
program=""
cleanup() {
    set +e
    for pid in $program $sim; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Polls for up to 20 s until the command succeeds.
wait_for() {
    for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
    "$@"
}

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$(ls "$work"/cpack/kov-q730_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libc6 fonts-wqy-microhei; do
    [[ $depends == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
dir=$root/opt/kov-q730
for tool in kov-q730 kovctl kov-sim; do
    [ "$(readlink "$root/usr/bin/$tool")" = "/opt/kov-q730/$tool" ] ||
        fail "/usr/bin/$tool does not link to /opt/kov-q730/$tool"
    version=$("$dir/$tool" --version) || fail "$tool --version failed"
    [[ $version =~ ^$tool\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$tool --version printed '$version'"
    "$dir/$tool" --help | grep -q "usage: $tool" || fail "$tool --help shows no usage"
done
for file in "normalStart.ini" "Board Config.ini" "InitInfo.ini" "Language/English.ini" \
            "Language/Chinese.ini" "pinjie.bmp" "ronghe.bmp" "kov-q730.installed"; do
    [ -f "$dir/$file" ] || fail "the program directory lacks $file"
done
grep -q '^Exec=kov-q730$' "$root/usr/share/applications/kov-q730.desktop" ||
    fail "no desktop entry starting kov-q730"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/kov-q730.svg" ] || fail "no icon"

chmod -R a-w "$dir"
(cd "$dir" && find . | sort) >"$work/shipped.list"
home=$work/home
mkdir "$home"
export HOME=$home
unset XDG_DATA_HOME
data=$home/.local/share/KOV-Q730

# The virtual device links its port where the program will look for it.
"$dir/kov-sim" --dir "$dir" --port 7 --fast >"$work/sim.log" 2>&1 &
sim=$!
wait_for test -L "$data/ports/COM7" || { cat "$work/sim.log"; fail "kov-sim made no port link in $data/ports"; }

"$dir/kovctl" --dir "$dir" config detect >"$work/kovctl.log" 2>&1 ||
    { cat "$work/kovctl.log"; fail "kovctl config detect failed"; }
for file in "normalStart.ini" "Board Config.ini" "InitInfo.ini"; do
    [ -f "$data/$file" ] || fail "kovctl left no $file in $data"
    [ -w "$data/$file" ] || fail "the copy of $file in $data cannot be written"
done
ls "$data"/command_log/*.txt >/dev/null 2>&1 || fail "kovctl wrote no command log in $data"

# The program itself, from the unpacked tree, against the device.
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$dir/kov-q730" >"$work/program.log" 2>&1 &
program=$!
pty=$(readlink "$data/ports/COM7")
holds_port() { ls -l "/proc/$program/fd" 2>/dev/null | grep -q -- "-> $pty\$"; }
wait_for holds_port || { cat "$work/program.log"; fail "kov-q730 did not open $pty (COM7)"; }
kill -0 "$program" || fail "kov-q730 ended at start"
grep -q '^\[Restart\]' "$data/normalStart.ini" || fail "no settings kept in $data"

# Root may write anywhere, so there the package's marker file is what keeps /opt clean.
# The permission check itself is tried as an unprivileged user, on a copy without it.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    plain=$work/plain
    cp -a "$dir" "$plain"
    chmod u+w "$plain" && rm "$plain/kov-q730.installed" && chmod -R a-w "$plain"
    mkdir -m 0777 "$work/nobody"
    chmod 0755 "$work"
    HOME=$work/nobody setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$plain/kovctl" --dir "$plain" ports >/dev/null ||
        fail "kovctl ports failed as an unprivileged user"
    [ -f "$work/nobody/.local/share/KOV-Q730/normalStart.ini" ] ||
        fail "unprivileged kovctl kept no settings in its per-user folder"
fi

(cd "$dir" && find . | sort) | diff "$work/shipped.list" - ||
    fail "the read-only program directory changed"
echo "package test passed: $(basename "$deb")"
