# Sourced by tests/packaging/run.sh: programs that use the library, built
# through pkg-config and through the CMake package.

pkg_config() {
    export PKG_CONFIG_PATH=$stage/lib/pkgconfig
    [[ $(pkg-config --modversion kerrow) == 1.0 ]] || fail "kerrow.pc version"
    local libdir
    libdir=$(pkg-config --variable=libdir kerrow)
    # shellcheck disable=SC2046
    cc -Wall -Wextra -o "$scratch/consumer-pc" "$root/tests/packaging/consumer/consumer.c" \
        $(pkg-config --cflags --libs kerrow) -Wl,-rpath,"$libdir"
    "$scratch/consumer-pc" "$root/examples/lamp.tsv" | tee "$scratch/consumer.out"
    grep -qx "Kerrow 1.0: 3 records, 12 fields" "$scratch/consumer.out"
}
check "pkg-config: kerrow.pc compiles and links a program" pkg_config

cmake_package() {
    cmake -S "$root/tests/packaging/consumer" -B "$scratch/consumer-cmake" -G Ninja \
        -DCMAKE_PREFIX_PATH="$stage"
    cmake --build "$scratch/consumer-cmake"
    "$scratch/consumer-cmake/kerrow_consumer" "$root/examples/lamp.tsv" | tee "$scratch/consumer.out"
    grep -qx "Kerrow 1.0: 3 records, 12 fields" "$scratch/consumer.out"
}
check "CMake package: Pelk::Kerrow, Pelk::pelk, pelk_generate()" cmake_package
