# Sourced by tests/packaging/run.sh: the man pages.

# The pages are compressed as Debian wants them: gzip -9n, no name, no time
# stamp.
man_page() {
    local name=$1 page=$scratch/$1.1 section
    shift
    sed "s/@PROJECT_VERSION@/$version/" "$root/doc/$name.1" | gzip -9nc | cmp - "$stage/share/man/man1/$name.1.gz"
    zcat "$stage/share/man/man1/$name.1.gz" >"$page"
    groff -man -ww -z -Tutf8 "$page" 2>"$scratch/groff.err"
    [[ ! -s $scratch/groff.err ]] || { cat "$scratch/groff.err"; fail "groff warnings"; }
    for section in "$@"; do
        grep -q "^\.SH \"\?$section" "$page" || fail "no section $section"
    done
}
check "man page pelk.1: renders without warnings, has its sections" \
    man_page pelk NAME SYNOPSIS OPTIONS "TABLE FORMAT" "EXIT STATUS" EXAMPLES
check "man page pelk-table.1: renders without warnings, has its sections" \
    man_page pelk-table NAME SYNOPSIS COMMANDS CHECKS "IDENTIFIERS" "EXIT STATUS" EXAMPLES
