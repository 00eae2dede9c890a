# shellcheck shell=bash
# What every scripts/check-* shares; each sources it first thing. It runs the check from the repository's
# root; a failure names the check and the reason (the command that failed, or what fail says); the clean-up
# that the check registered with on_exit runs on every way out, a failure or Ctrl-C included; and the end
# says how long the check took.
set -Eeuo pipefail # -E: failures inside functions are reported too
shopt -s inherit_errexit # a failure inside $(...) fails the check too
check_name=${0##*/}
cd "$(dirname "$0")/.."
repository=$PWD

check_cleanups=()
on_exit() { # COMMAND: run when the check ends, however it ends; the last registered runs first
    check_cleanups+=("$1")
}
fail() { # REASON: ends the check, which says as its last line that it failed, and why
    check_failed_command=$*
    # In a subshell the reason is said at once: the check ends on the subshell's failure, named after it.
    [ "$BASHPID" = "$$" ] || echo "$check_name: $*" >&2
    exit 1
}
check_failed_command=""
trap 'check_failed_command="$BASH_COMMAND (line $LINENO)"' ERR
check_end() {
    local status=$? i
    set +e
    trap - ERR # a clean-up step that finds nothing to do is no failure to name
    trap '' PIPE INT TERM # the clean-up goes on when the reader of the output is gone, or on a second Ctrl-C
    for ((i = ${#check_cleanups[@]} - 1; i >= 0; i--)); do
        eval "${check_cleanups[i]}"
    done
    if [ "$status" -eq 0 ]; then
        echo "$check_name: passed in ${SECONDS} s"
    else
        echo "$check_name: failed after ${SECONDS} s${check_failed_command:+: $check_failed_command}" >&2
    fi
    exit "$status"
}
trap check_end EXIT
trap 'check_failed_command="stopped"; exit 130' INT
trap 'check_failed_command="stopped"; exit 143' TERM

# COMMAND...: runs it in a process group of its own and waits for it, so that Ctrl-C or a TERM ends the check
# at once, even while the command holds out (dpkg finishes what it has begun first); the check's clean-up
# then ends the whole group.
at_once() {
    setsid "$@" </dev/null &
    local job=$!
    on_exit "kill -9 -- -$job 2>/dev/null"
    wait "$job"
}

# NAME: a fresh temporary folder, in the variable NAME; removed when the check ends (never across into
# another file system).
temporary_folder() {
    local folder
    folder=$(mktemp -d)
    on_exit "rm -rf --one-file-system '$folder'"
    printf -v "$1" '%s' "$folder"
}

# Checks may run side by side (.ci/run runs some so): what they share under build/ (a build folder, the kept
# Debian 13 root) is used by one check at a time. hold NAME: from here until it ends, or lets go with let_go
# NAME, this check alone uses build/NAME; another check that holds it is waited for. Processes the check
# starts meanwhile hold it with it; its clean-up ends them.
declare -A check_holds=()
hold() {
    local name=$1 lock
    [ -z "${check_holds[$name]:-}" ] || return 0
    mkdir -p build
    exec {lock}>"build/$name.lock"
    if ! flock -n "$lock"; then
        echo "$check_name: waiting for the check that uses build/$name"
        flock "$lock"
    fi
    check_holds[$name]=$lock
}
let_go() {
    local lock=${check_holds[$1]:-}
    [ -n "$lock" ] || return 0
    exec {lock}>&-
    unset "check_holds[$1]"
}
without_holds() { # COMMAND...: runs it holding nothing of this check's (a process started while the check
    # holds something would hold it on, whatever the check lets go)
    local closing="" lock
    for lock in "${check_holds[@]}"; do closing+=" $lock>&-"; done
    eval "\"\$@\" $closing"
}

# NAME: the Debian package, made anew from the release build (configured and built first when needed), and
# its checksum, copied into a temporary folder of the check's: its path in the variable NAME.
debian_package() {
    local copies
    temporary_folder copies
    hold release
    cmake --preset release >/dev/null
    cmake --build --preset release >&2
    (cd build/release && rm -f ./*.deb ./*.deb.sha256 && cpack -G DEB >/dev/null)
    cp build/release/pindlequorix_*.deb build/release/pindlequorix_*.deb.sha256 "$copies/"
    let_go release
    printf -v "$1" '%s' "$(ls "$copies"/pindlequorix_*.deb)"
}
# NAME: the value of the release build's cache variable NAME, as it was configured.
release_setting() {
    hold release
    sed -n "s/^$1:STRING=//p" build/release/CMakeCache.txt
    let_go release
}

# PACKAGE: installs the Debian package with apt-get; it is removed again when the check ends, unless the
# program was installed before.
install_debian_package() {
    if ! dpkg-query -W -f='${db:Status-Status}' pindlequorix 2>/dev/null | grep -qx installed; then
        on_exit "dpkg -r pindlequorix >/dev/null"
    fi
    apt-get install -y -qq "$1" >/dev/null
}

# NAME: a fresh Debian 13 (trixie) root, in the variable NAME, as debootstrap makes it (minbase), with /proc,
# /dev and /sys mounted and the host's name servers. The root as debootstrap made it is kept as
# build/debian13-root.tar, and the next check that asks for a root within a week unpacks it (seconds, where
# debootstrap takes a minute or two; delete the file for a newer root). However the check ends, whatever
# still runs inside the root is ended, and the root is unmounted and removed.
debian13_root() {
    local new_root kept=build/debian13-root.tar
    new_root=$(mktemp -d)/root
    on_exit "leave_debian13_root '$new_root'"
    hold debian13-root
    if [ -n "$(find "$kept" -mtime -7 2>/dev/null)" ]; then
        mkdir "$new_root"
        tar -xf "$kept" -C "$new_root"
        echo "$check_name: a Debian 13 root from $kept"
    else
        at_once debootstrap --variant=minbase trixie "$new_root" http://deb.debian.org/debian >"$new_root.log" 2>&1 ||
            { tail -n 20 "$new_root.log" >&2; fail "debootstrap failed"; }
        tar -cf "$kept.part" -C "$new_root" . && mv "$kept.part" "$kept"
        echo "$check_name: a fresh Debian 13 root, made by debootstrap (kept as $kept)"
    fi
    let_go debian13-root
    cp /etc/resolv.conf "$new_root/etc/"
    mount -t proc proc "$new_root/proc"
    local system
    for system in dev sys; do mount --rbind "/$system" "$new_root/$system" && mount --make-rslave "$new_root/$system"; done
    printf -v "$1" '%s' "$new_root"
}
leave_debian13_root() { # ROOT
    local process
    for process in /proc/[0-9]*; do # whatever still runs inside the root
        [ "$(readlink "$process/root" 2>/dev/null)" = "$1" ] && kill -9 "${process#/proc/}" 2>/dev/null
    done
    umount -R "$1/dev" "$1/sys" "$1/proc" 2>/dev/null
    # Removed only once nothing is mounted in it, and never across into another file system.
    if grep -qF " $1/" /proc/mounts; then
        echo "$check_name: still mounted, left in place: $(grep -F " $1/" /proc/mounts | cut -d' ' -f2)" >&2
    else
        rm -rf --one-file-system "$(dirname "$1")"
    fi
}
# ROOT COMMAND: runs the bash command line as root inside ROOT, in a clean environment (UTF-8, and CI set).
in_root() {
    at_once chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 CI=true bash -c "$2" ||
        fail "in the Debian 13 root, this failed (exit status $?): $2"
}

# The static Qt that the Windows program links, with its host tools: PQ_WINDOWS_QT when set; otherwise the
# prebuilt copy beside the project when it was built with the project's recipe (cmake/qt-windows.options,
# which the copy repeats), or else the one built here from the recipe and kept outside the clone for every
# check and clone on this machine (built the first time, about 17 minutes; cmake/WindowsQt.cmake finds it
# there too). Its folder is named by the recipe's SHA-256, so that a changed recipe builds anew.
windows_qt_recipe() { grep -v '^[[:space:]]*\(#\|$\)' cmake/qt-windows.options; }
windows_qt_cache() { # the folder where the Qt of this recipe is kept
    local key
    key=$(windows_qt_recipe | sha256sum | cut -c1-16)
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/pindlequorix/qt-windows-static-$key"
}
use_windows_qt() {
    [ -z "${PQ_WINDOWS_QT:-}" ] || return 0
    local prebuilt recipe kept lock
    recipe=$(windows_qt_recipe)
    for prebuilt in ../shared/toolchains/qt-*-mingw-w64-x86_64-static.tar.xz; do
        if [ -f "$prebuilt" ] &&
            [ "$(tar -xJOf "$prebuilt" --wildcards '*pindlequorix-qt.options' 2>/dev/null)" = "$recipe" ]; then
            export PQ_WINDOWS_QT
            PQ_WINDOWS_QT=$(realpath "$prebuilt")
            return 0
        fi
    done
    kept=$(windows_qt_cache)
    mkdir -p "${kept%/*}"
    # One build at a time, whichever check or clone asks first; the others wait for it.
    exec {lock}>"${kept%/*}/qt-windows.lock"
    if ! flock -n "$lock"; then
        echo "$check_name: waiting for the check that builds the static Qt into $kept"
        flock "$lock"
    fi
    if [ "$(cat "$kept/pindlequorix-qt.options" 2>/dev/null)" != "$recipe" ]; then
        echo "$check_name: no prebuilt static Qt of this recipe: building Qt from Debian's source into $kept" \
            "(log: $kept.log)"
        rm -rf "$kept" "$kept.part"
        scripts/build-qt-windows --static "$kept.part" "${kept%/*}/qt-windows-source" >"$kept.log" 2>&1 ||
            { tail -n 60 "$kept.log" >&2; fail "building the static Qt failed (log: $kept.log)"; }
        mv "$kept.part" "$kept"
        rm -rf "${kept%/*}/qt-windows-source" # 3 GB of source and build trees
        echo "$check_name: built the static Qt in $(grep -o '[0-9]* min in)' "$kept.log" | tail -n 1 | cut -d' ' -f1) min"
    fi
    exec {lock}>&-
    export PQ_WINDOWS_QT=$kept
}

# The Windows build (the Qt of use_windows_qt) configured and built: with no arguments, without signing;
# with -DPQ_SIGN_... options, signing as they say.
windows_build_signing_with() {
    cmake --preset windows -U 'PQ_SIGN_*' "$@" >/dev/null && cmake --build --preset windows
}
# The Windows downloads made anew by cpack in build/windows.
windows_downloads() {
    (cd build/windows && rm -f pindlequorix-*-windows-x64* && cpack >/dev/null)
}
# The Windows downloads, unsigned, copied into FOLDER; however the check ends, build/windows is configured
# without a key again and holds these downloads again (holding it for that).
keep_unsigned_windows_downloads() {
    ls build/windows/pindlequorix-*-windows-x64-setup.exe >/dev/null 2>&1 || fail "build/windows holds no downloads"
    cp build/windows/pindlequorix-*-windows-x64* "$1/"
    on_exit "hold windows; cmake --preset windows -U 'PQ_SIGN_*' >/dev/null; rm -f build/windows/pindlequorix-*-windows-x64*; cp '$1'/* build/windows/"
}
# FOLDER [BUILD]: the Windows downloads in BUILD (build/windows) are the same bytes as those in FOLDER.
same_windows_downloads() {
    local file
    for file in "$1"/*; do
        cmp "$file" "${2:-build/windows}/${file##*/}" || fail "${file##*/} differs"
    done
}
