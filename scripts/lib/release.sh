# Checks of what a distribution would take: the hardening of the executable
# as built and as packaged, its library search path, the package (lintian),
# the metainfo, a reproducible package, and a run on Wayland. Sourced by
# scripts/test after the build; each check fails the run on any finding.

# check_hardening EXECUTABLE UNSTRIPPED-BUILD: prints hardening-check's report
# and wants "yes" on every line. Two lines cannot say yes on every platform,
# and are then proved from the build's debug information instead:
# - stack clash: hardening-check looks for the probes, which the compiler only
#   puts into functions with frames above a page; with none, it says
#   "unknown".
# - control flow: the linker marks the executable IBT/SHSTK only when every
#   object it links is marked, and Debian 12's C start files (crti.o) are
#   not, so no executable linked there is marked.
# In both cases every compile unit must record the option in its
# DW_AT_producer, and the executable must have the build-id of the build.
check_hardening() {
    local exe=$1 built=$2 report status=0
    report=$(hardening-check "$exe") || true
    echo "$report"
    local line
    while IFS= read -r line; do
        case $line in
        *": yes"* | "$exe:") ;;
        *"Stack clash protection: unknown, no -fstack-clash-protection instructions found")
            built_with "$built" -fstack-clash-protection || status=1 ;;
        *"Control flow integrity: no, not found!")
            if readelf -n /usr/lib/x86_64-linux-gnu/crti.o 2>/dev/null | grep -q 'IBT'; then
                echo "FAIL: the C start files are marked IBT, the executable is not"
                status=1
            else
                built_with "$built" -fcf-protection=full || status=1
            fi ;;
        *) echo "FAIL: $line"; status=1 ;;
        esac
    done <<<"$report"
    if [ "$(build_id "$exe")" != "$(build_id "$built")" ]; then
        echo "FAIL: $exe is not the executable of the build ($built)"
        status=1
    fi
    return $status
}

# built_with EXECUTABLE OPTION: every compile unit of the executable was
# compiled with OPTION.
built_with() {
    local producers total with
    producers=$(readelf --debug-dump=info "$1" 2>/dev/null | grep 'DW_AT_producer' || true)
    total=$(grep -c . <<<"$producers" || true)
    with=$(grep -c -- " $2\( \|$\)" <<<"$producers" || true)
    if [ "$total" -eq 0 ] || [ "$with" -ne "$total" ]; then
        echo "FAIL: $with of $total compile units of $1 were compiled with $2"
        return 1
    fi
    echo "   ($2 in all $total compile units of the build)"
}

build_id() {
    readelf -n "$1" | sed -n 's/.*Build ID: *//p'
}

# check_runpath FILE...: no RUNPATH or RPATH entry that is empty or relative
# (the loader reads those against the working directory); $ORIGIN is the
# executable's own folder and may stand.
check_runpath() {
    local file paths entry status=0
    for file in "$@"; do
        paths=$(readelf -d "$file" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
        [ -n "$paths" ] || continue
        while IFS= read -r entry; do
            case $entry in
            /* | '$ORIGIN' | '$ORIGIN/'*) ;;
            *) echo "FAIL: $file: library search path entry '$entry' in '$paths'"; status=1 ;;
            esac
        done < <(tr ':' '\n' <<<"$paths")
    done
    return $status
}

# check_no_runpath FILE: none at all (an installed executable finds its
# libraries where the system keeps them).
check_no_runpath() {
    if readelf -d "$1" | grep -E '\((RUNPATH|RPATH)\)'; then
        echo "FAIL: $1 has a library search path"
        return 1
    fi
}

# release_checks BUILD_DIR: all of the above on BUILD_DIR's executable and its
# package, then the reproducibility and the Wayland run.
release_checks() {
    local build=$1 deb tree status=0
    (cd "$build" && rm -f ./*.deb && cpack -G DEB >cpack.log 2>&1) || {
        cat "$build/cpack.log"
        return 1
    }
    deb=$(ls "$build"/*.deb)
    tree=$(mktemp -d)
    dpkg-deb -x "$deb" "$tree"
    echo "-- package $(basename "$deb"): $(stat -c %s "$deb") bytes"
    dpkg-deb -f "$deb" Depends Recommends

    echo "-- hardening-check, as built"
    check_hardening "$build/forms/Quantelo-Power" "$build/forms/Quantelo-Power" || status=1
    echo "-- hardening-check, as packaged"
    check_hardening "$tree/usr/bin/Quantelo-Power" "$build/forms/Quantelo-Power" || status=1

    echo "-- library search paths (readelf)"
    local elves
    mapfile -t elves < <(find "$build" -type f -perm -u+x -not -path '*/CMakeFiles/*' \
        -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print)
    check_runpath "${elves[@]}" && echo "   no empty or relative entry in ${#elves[@]} executables of the build" \
        || status=1
    check_no_runpath "$tree/usr/bin/Quantelo-Power" && echo "   none in the packaged executable" || status=1

    echo "-- lintian"
    # Errors, warnings and information; it fails on the first two. (lintian
    # warns when it runs as root, which CI does.)
    local lintian_status=0
    lintian --display-info --tag-display-limit 0 --fail-on error,warning "$deb" >"$build/lintian.log" 2>&1 \
        || lintian_status=$?
    grep -v 'running with root privileges' "$build/lintian.log" || echo "   no findings"
    [ $lintian_status -eq 0 ] || status=1

    echo "-- appstreamcli validate (installed metainfo; --no-net: the homepage and screenshot URLs are not fetched)"
    appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml || status=1
    rm -rf "$tree"

    echo "-- reproducible package"
    "$repo_root/scripts/check-reproducible" || status=1

    echo "-- Wayland (weston, headless)"
    QUANTELO_SCREENSHOT="$build/wayland-single-phase.png" \
        "$repo_root/tests/e2e/run-session.sh" --wayland "$build/forms/Quantelo-Power" test_wayland || status=1
    [ $status -ne 0 ] || echo "   compositor screenshot: $build/wayland-single-phase.png"
    return $status
}
