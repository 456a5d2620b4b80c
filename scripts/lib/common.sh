# Shared by scripts/run, scripts/check and scripts/fuzz: the packages we need, the display,
# Wine.
# Sourced, never run. Callers use `set -euo pipefail`.

VEILOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export VEILOR_ROOT

# Everything the build and the Wine tests use, as Debian names it. wine32 only where the
# kernel runs 32-bit code: elsewhere it cannot start, and its i386 indexes are one more
# thing a mirror caught mid-sync can fail.
VEILOR_PACKAGES=(
    cmake g++ make git clang-format googletest libgtest-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine64 fonts-wine
    xvfb xauth x11-utils imagemagick fonts-wqy-microhei wixl zip
)
if "$VEILOR_ROOT/scripts/lib/runs-i386"; then
    VEILOR_PACKAGES+=(wine32:i386)
else
    # Tells the tests that start a 32-bit peer from a 64-bit driver to skip that part.
    export VEILOR_NO_I386=1
fi

# What scripts/fuzz needs: clang with libFuzzer and the sanitizer runtimes, and the build.
VEILOR_FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev)

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }
die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# The packages named (by default those of VEILOR_PACKAGES) that are not installed yet.
missing_packages() {
    local pkg
    [ $# -gt 0 ] || set -- "${VEILOR_PACKAGES[@]}"
    for pkg in "$@"; do
        dpkg -s "$pkg" >/dev/null 2>&1 || printf '%s\n' "$pkg"
    done
}

# Installs whatever is missing of the packages named (by default VEILOR_PACKAGES); does
# nothing (and needs no network) when all is there.
ensure_packages() {
    local missing
    [ $# -gt 0 ] || set -- "${VEILOR_PACKAGES[@]}"
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -eq 0 ] || die "missing packages (${missing[*]}); run as root to install them"
    log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # A mirror caught mid-sync fails one index file for a minute or two. apt keeps the
    # indexes it already has, which usually hold everything we ask for, so the install is
    # tried with them; only a failed install waits and fetches the indexes again.
    local try
    for try in 1 2 3 4 5; do
        apt-get update -q || log "apt-get update failed for some indexes; installing with those apt has"
        apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null && break
        log "apt-get install failed (try $try of 5); waiting before the next"
        sleep $((try * 20))
    done
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    # A stale i386 index leaves wine32's libraries behind the 64-bit ones, and multiarch
    # refuses the pair. Without wine32 the 32-bit tests are reported skipped, as on a
    # machine that cannot run them, and everything else still runs.
    if [[ " ${missing[*]} " == *" wine32:i386 "* ]]; then
        log "NOTE: wine32:i386 cannot be installed from these indexes; going on without it"
        mapfile -t missing < <(printf '%s\n' "${missing[@]}" | grep -vx 'wine32:i386')
        [ ${#missing[@]} -eq 0 ] ||
            apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null || true
        mapfile -t missing < <(missing_packages "$@" | grep -vx 'wine32:i386')
    fi
    [ ${#missing[@]} -eq 0 ] || die "still missing after apt-get: ${missing[*]}"
}

# Whether Wine can start 32-bit Windows programs here: the kernel runs i386 code (and
# VEILOR_ASSUME_NO_I386 does not say otherwise) and Wine's 32-bit loader is installed.
can_run_i386() {
    [ -z "${VEILOR_NO_I386:-}" ] && [ -x /usr/lib/wine/wine ] &&
        /usr/lib/wine/wine --version >/dev/null 2>&1
}

# A display number with no X server, no lock file and no socket.
free_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || {
            echo "$n"
            return 0
        }
    done
    die "no free X display number between :90 and :140"
}

# Starts Xvfb on a free display, exports DISPLAY and sets VEILOR_XVFB_PID.
# The screen is larger than Wine's 1024x768 virtual desktop, so a screenshot shows where
# the desktop ends and a test can tell the two apart.
start_xvfb() {
    local n
    n=$(free_display)
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"${TMPDIR:-/tmp}/veilor-xvfb-$n.log" 2>&1 &
    VEILOR_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        kill -0 "$VEILOR_XVFB_PID" 2>/dev/null || die "Xvfb on :$n exited; see ${TMPDIR:-/tmp}/veilor-xvfb-$n.log"
        sleep 0.1
    done
    die "Xvfb on :$n did not answer within 10 s"
}

stop_xvfb() {
    if [ -n "${VEILOR_XVFB_PID:-}" ]; then
        kill "$VEILOR_XVFB_PID" 2>/dev/null || true
        wait "$VEILOR_XVFB_PID" 2>/dev/null || true
        VEILOR_XVFB_PID=
    fi
}

# Ends every Wine process of one prefix (only that prefix's server answers).
stop_wineserver() {
    [ -d "$1" ] || return 0
    WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
}

# Everything under $HOME created or changed (contents or metadata) since the file STAMP
# was touched, one path a line. Left out: the repository and $TMPDIR where they live under
# $HOME, and the paths, relative to $HOME, of VEILOR_HOME_IGNORE (colon-separated): what
# other programs of the machine write there meanwhile, never anything of ours.
home_changes_since() {
    local stamp=$1 home skip=() path
    home=$(cd -P "$HOME" 2>/dev/null && pwd) || return 0
    local -a ignore=()
    IFS=: read -r -a ignore <<<"${VEILOR_HOME_IGNORE:-}"
    for path in "$(cd -P "$VEILOR_ROOT" && pwd)" "$(cd -P "${TMPDIR:-/tmp}" 2>/dev/null && pwd)" \
        "${ignore[@]/#/$home/}"; do
        [ -n "$path" ] && [ "$path" != "$home/" ] && skip+=(-path "${path%/}" -prune -o)
    done
    find "$home" -mindepth 1 "${skip[@]}" -cnewer "$stamp" -print 2>/dev/null || true
}

# Configures and builds one preset into its preset folder: all of it, or the targets named.
build_preset() {
    local preset=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    log "configure + build: $preset${*:+ ($*)}"
    (cd "$VEILOR_ROOT" && cmake --preset "$preset" >/dev/null)
    (cd "$VEILOR_ROOT" && cmake --build --preset "$preset" -j "${VEILOR_JOBS:-2}" "${targets[@]}")
}
