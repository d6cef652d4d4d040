# Sourced by the other scripts: installs the build tools that are missing,
# when run as root on Debian, and does nothing where they are present.
# Usage: pelk_need_packages <command-or-file>=<package> ...
pelk_need_packages() {
    local missing=() pair probe package
    for pair in "$@"; do
        probe=${pair%%=*}
        package=${pair#*=}
        if [[ $probe == /* ]]; then
            [[ -e $probe ]] && continue
        else
            command -v "$probe" >/dev/null 2>&1 && continue
        fi
        missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    if [[ $(id -u) -ne 0 ]] || ! command -v apt-get >/dev/null 2>&1; then
        echo "missing build tools: ${missing[*]} (install them, or run this script as root on Debian)" >&2
        return 1
    fi
    echo "installing ${missing[*]}" >&2
    if [[ -z ${PELK_APT_UPDATED:-} ]]; then
        DEBIAN_FRONTEND=noninteractive apt-get update -qq >&2 || return 1
        export PELK_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# The tools and the header-only libraries (of pelk-table) that every build
# needs.
pelk_need_build_tools() {
    pelk_need_packages cmake=cmake ninja=ninja-build g++=g++ \
        /usr/include/gtest/gtest.h=libgtest-dev \
        /usr/include/CLI/CLI.hpp=libcli11-dev \
        /usr/include/nlohmann/json.hpp=nlohmann-json3-dev
}
