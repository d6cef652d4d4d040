# Sourced by tests/packaging/run.sh: the Debian package, made by CPack and
# accepted by lintian.

debian_package() {
    (cd "$build" && cpack -G DEB -B "$scratch/package") >/dev/null
    local found=("$scratch"/package/pelk_*.deb)
    [[ -f ${found[0]} ]] || fail "cpack made no pelk_*.deb"
    echo "${found[0]}" >"$scratch/deb-path"
    dpkg-deb -I "${found[0]}"
    dpkg-deb -c "${found[0]}" >"$scratch/deb-contents"
    local file
    for file in ./usr/bin/pelk ./usr/bin/pelk-table ./usr/lib/pelk/libKerrow.so ./usr/include/Kerrow.h \
        ./usr/lib/pkgconfig/kerrow.pc ./usr/lib/cmake/Pelk/PelkConfig.cmake \
        ./usr/share/man/man1/pelk.1.gz ./usr/share/man/man1/pelk-table.1.gz \
        ./usr/share/doc/pelk/examples/lamp.tsv \
        ./usr/share/doc/pelk/LICENSE ./usr/share/doc/pelk/copyright \
        ./usr/share/doc/pelk/changelog.gz ./usr/share/lintian/overrides/pelk; do
        grep -q " $file\$" "$scratch/deb-contents" || fail "package lacks $file"
    done
    dpkg-deb --fsys-tarfile "${found[0]}" | tar -xO ./usr/share/doc/pelk/LICENSE | cmp - "$root/LICENSE"
    # The package, its changelog and the project carry one version.
    [[ $(dpkg-deb -f "${found[0]}" Version) == "$version" ]] || fail "package version is not $version"
    dpkg-deb --fsys-tarfile "${found[0]}" | tar -xO ./usr/share/doc/pelk/changelog.gz | zcat \
        | head -n 1 | grep -q "^pelk ($version) " || fail "changelog does not begin with $version"
}
check "Debian package: cpack -G DEB, contents" debian_package
[[ -f $scratch/deb-path ]] && deb=$(cat "$scratch/deb-path")

debian_package_workbook() {
    grep -q " \./usr/share/doc/pelk/examples/lamp\.xlsx\$" "$scratch/deb-contents" ||
        fail "package lacks the example workbook"
}
check "Debian package: the example workbook" debian_package_workbook

# Not a single remark: the warnings the package overrides (with their
# reasons, in cmake/debian/lintian-overrides) are not shown, and no error or
# other warning may be left. (--show-overrides would make the overridden ones
# count as failures.)
debian_lintian() {
    [[ -n $deb ]] || fail "no package"
    local status=0
    # Its scratch files (it leaves some behind) go with ours.
    TMPDIR=$scratch lintian --fail-on error,warning "$deb" >"$scratch/lintian.out" || status=$?
    cat "$scratch/lintian.out"
    [[ $status -eq 0 ]] || fail "lintian exited with $status"
    [[ ! -s $scratch/lintian.out ]] || fail "lintian has remarks"
}
check "Debian package: lintian accepts it" debian_lintian
