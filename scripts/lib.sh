# Sourced by the scripts: the project's root, installing what a fresh Debian
# machine lacks, and building a configuration of CMakePresets.json, each step
# said on standard error so that a long first build does not look like a hang.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

say() {
    echo "nanaren: $*" >&2
}

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Installs the Debian packages that building and testing need, and those
# named, where missing. A first argument --no-install-recommends goes to
# apt-get with them.
install_packages() {
    local options=()
    [ "${1:-}" = "--no-install-recommends" ] && options+=("$1") && shift
    local missing=()
    local package
    for package in cmake make g++ libgtest-dev libbenchmark-dev "$@"; do
        is_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]} (Debian packages; this takes a while once)"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "${options[@]}" \
        "${missing[@]}" >/dev/null
}

# Configures a preset of CMakePresets.json (extra arguments go to cmake) and
# builds the given targets in it, or everything without any. CMake reads the
# presets from the working directory, so its commands run in the root.
build_preset() {
    local preset="$1"
    shift
    local targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        targets+=(--target "$1")
        shift
    done
    [ "${1:-}" = "--" ] && shift
    say "configuring and building the $preset configuration (a minute or two the first time)"
    local log
    if ! log="$(cd "$root" && cmake --preset "$preset" "$@" 2>&1)"; then
        echo "$log" >&2
        return 1
    fi
    (cd "$root" && cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}" >/dev/null)
}
