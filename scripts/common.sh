# Shared by scripts/run.sh and scripts/test.sh: packages and the build.

HARVEXA_PACKAGES=(cmake ninja-build g++ pkg-config libsqlite3-dev libpq-dev
                  libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev)

# Installs the Debian packages that are missing (one apt-get update first).
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds one CMake preset; a second argument names a build
# preset of that configuration (such as "app": the programs only).
build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "${2:-$1}" -j "$(nproc)"
}
