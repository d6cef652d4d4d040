#!/usr/bin/env bash
# Checks pelk and pelk-table as a firmware build uses them: the install tree,
# the pkg-config file, the CMake package with pelk_generate(), the examples,
# the man pages and the Debian package with lintian; as root also the
# package installed into the machine and removed again. The checks are the
# cases of tests/packaging/ (tests/packaging/run.sh); this script installs
# their tools and builds what they check.
#
# The package is built in a directory of its own, with the hardening flags of
# a Debian build and without the tests (the preset package).
#
# Usage: scripts/test-packaging.sh     (build directory: $PELK_BUILD_DIR or build-package)
# Ends with "packaging: N passed, N failed"; exits with 0 when every check passed.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
pelk_need_build_tools
pelk_need_packages make=make cc=gcc pkg-config=pkg-config groff=groff-base \
    dpkg-deb=dpkg realpath=coreutils gzip=gzip lintian=lintian /usr/bin/python3=python3

build=$(realpath -m "${PELK_BUILD_DIR:-build-package}")
echo "== building in $build"
cmake --preset package -B "$build" >/dev/null
cmake --build "$build" -j2
exec tests/packaging/run.sh "$build"
