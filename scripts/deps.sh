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

# Lets apt install the packages of the foreign architecture <arch> (i386 for
# wine32): adds it to dpkg when missing, as root, and has the next
# pelk_need_packages update the package lists, which then list its packages.
# Usage: pelk_need_architecture <arch>
pelk_need_architecture() {
    local arch=$1
    dpkg --print-foreign-architectures 2>/dev/null | grep -qx "$arch" && return 0
    if [[ $(id -u) -ne 0 ]] || ! command -v dpkg >/dev/null 2>&1; then
        echo "the architecture $arch is not enabled (run this script as root on Debian, or: dpkg --add-architecture $arch)" >&2
        return 1
    fi
    echo "adding the architecture $arch to dpkg" >&2
    dpkg --add-architecture "$arch" && unset PELK_APT_UPDATED
}

# The tools and the libraries of pelk-table that every build needs: the
# header-only ones, and libexpat and libzip (found with pkg-config) for
# workbooks.
pelk_need_build_tools() {
    pelk_need_packages cmake=cmake ninja=ninja-build g++=g++ \
        /usr/include/gtest/gtest.h=libgtest-dev \
        /usr/include/CLI/CLI.hpp=libcli11-dev /usr/include/nlohmann/json.hpp=nlohmann-json3-dev \
        pkg-config=pkg-config /usr/include/expat.h=libexpat1-dev /usr/include/zip.h=libzip-dev
}

# What the tests of pelk-table's views need beyond the build: Graphviz's
# library (dot --format=svg) and program (it must take the DOT the views
# write), and Node with npm for the Mermaid parser.
pelk_need_view_tools() {
    pelk_need_packages dot=graphviz /usr/include/graphviz/gvc.h=libgraphviz-dev pkg-config=pkg-config \
        node=nodejs npm=npm
}

# The npm packages that parse Mermaid under Node, installed into the folder
# <prefix> (under the build tree) unless they are there: mermaid as code
# hosts render it, and jsdom for the window its sanitiser needs.
# Usage: pelk_need_mermaid <prefix>
pelk_need_mermaid() {
    local prefix=$1
    [[ -d $prefix/node_modules/mermaid && -d $prefix/node_modules/jsdom ]] && return 0
    echo "installing mermaid and jsdom from npm into $prefix" >&2
    mkdir -p "$prefix" &&
        npm install --prefix "$prefix" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
            mermaid@11.17.2 jsdom@26.1.0 >&2
}

# The browser test of pelk-table html (tests/html): Debian's Chromium, its
# WebDriver and Python's bindings to it; Pillow reads the screenshots.
pelk_need_browser_tools() {
    pelk_need_packages chromium=chromium chromedriver=chromium-driver \
        /usr/lib/python3/dist-packages/selenium/__init__.py=python3-selenium \
        /usr/lib/python3/dist-packages/PIL/__init__.py=python3-pil
}

# The SARIF validator (ajv and the schema, from npm) of the package list
# <source>/package.json, installed into the folder <prefix> (under the build
# tree) unless it is there for the same list.
# Usage: pelk_need_sarif_validator <source> <prefix>
pelk_need_sarif_validator() {
    local source=$1 prefix=$2
    cmp -s "$source/package.json" "$prefix/package.json" && [[ -d $prefix/node_modules ]] && return 0
    echo "installing the SARIF validator from npm into $prefix" >&2
    rm -rf "$prefix" && mkdir -p "$prefix" && cp "$source/package.json" "$prefix/" &&
        (cd "$prefix" && npm install --no-audit --no-fund --loglevel=error >&2)
}

# Builds pelk, pelk-table and Kerrow in Release (build-release) and the
# benchmark driver <target> of bench/ (build-bench), for the bench scripts.
# Usage: pelk_build_bench <root> <target>
pelk_build_bench() {
    local root=$1 target=$2
    (cd "$root" && cmake --preset release >/dev/null &&
        cmake --build --preset release -j2 --target pelk pelk-table Kerrow &&
        cmake -S bench --preset bench >/dev/null) &&
        (cd "$root/bench" && cmake --build --preset bench -j2 --target "$target")
}
