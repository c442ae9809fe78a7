# Shared by run.sh and test.sh: install what is missing, then configure and
# build one CMake preset. Sourced, not run.

set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages the programs need to build and run.
build_packages=(cmake ninja-build g++ pkg-config libgl-dev qt6-base-dev qt6-svg-dev libcups2-dev
                libgtest-dev libfast-float-dev libfmt-dev fonts-liberation2 fonts-dejavu-core)
# The web edition: the core built by Debian's emscripten (whose optimizer
# needs acorn), served and tested with Node, which comes with the machine.
web_packages=(cmake ninja-build emscripten node-acorn esbuild libfast-float-dev libfmt-dev)
# The web edition served as a firm serves it: Debian's nginx, run as the
# calling user with web/server's configuration (its system service is never
# started or changed).
serve_packages=(nginx)
# What the tests need besides: an X server, a driver for it, a print server
# of their own (they start it themselves), the tools that read what it was
# sent, python3 to stand in for a print server that never answers, and what
# a screen reader talks to: a private session bus with the accessibility bus
# on it, read through pyatspi.
test_packages=(xvfb xauth x11-utils xdotool xclip poppler-utils python3
               cups cups-client cups-bsd dbus-daemon at-spi2-core python3-pyatspi)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the given packages that are not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# Configures (when needed) and builds a preset; a half-built tree just
# continues.
build_preset() {
    local preset=$1
    cd "$repo_root"
    if [ ! -f "build/$preset/build.ninja" ]; then
        rm -rf "build/$preset"
        cmake --preset "$preset"
    fi
    cmake --build --preset "$preset"
}
