# Static checks of the tree: layout, cppcheck, clang-tidy. Sourced by
# scripts/test after the build (clang-tidy and cppcheck read the build's
# compile_commands.json). Each check fails the run on any finding.

check_format() {
    echo "-- clang-format"
    git -C "$repo_root" ls-files -z '*.cpp' '*.h' | (cd "$repo_root" && xargs -0 clang-format --dry-run --Werror)
}

check_cppcheck() { # BUILD_DIR
    echo "-- cppcheck"
    # Given the project by a relative path, cppcheck names its files relative
    # to the folder it runs in and matches the filters against those names:
    # run from the top of the tree, the filters take the program's sources,
    # the tests and the benchmarks, and leave out what the build makes (the
    # moc files, and the pixel arrays of BUILD_DIR/resources/picture_data.cpp,
    # some 130,000 numbers that cppcheck takes minutes over).
    local project
    project=$(realpath --relative-to="$repo_root" "$1")/compile_commands.json
    (cd "$repo_root" && cppcheck --project="$project" --enable=warning,performance,portability \
        --library=qt --library=googletest --inline-suppr --error-exitcode=1 -q -j"$(build_jobs)" \
        --suppress=missingIncludeSystem --suppress='*:*_autogen/*' \
        --file-filter='calc/*' --file-filter='layout/*' --file-filter='input/*' --file-filter='forms/*' \
        --file-filter='resources/*' \
        --file-filter='tests/*' --file-filter='bench/*' \
        --template='{file}:{line}: {severity} {id}: {message}')
}

check_clang_tidy() { # BUILD_DIR
    echo "-- clang-tidy"
    # The program's own sources and the core's tests. The Qt Test and
    # benchmark files are left to cppcheck: their framework macros (moc,
    # QTest's data tables, the benchmark loop variable) are what clang-tidy
    # would mostly report there.
    local files
    # Only what this build compiles: the Windows platform files are the Windows
    # build's, and have no compile command here.
    files=$(cd "$repo_root" && git ls-files 'calc/*.cpp' 'layout/*.cpp' 'input/*.cpp' 'forms/*.cpp' 'resources/*.cpp' \
        'tests/calc/*.cpp' 'tests/layout/*.cpp' 'tests/input/*.cpp' \
        | sed "s|^|$repo_root/|" | while read -r file; do
            grep -qF "\"file\": \"$file\"" "$1/compile_commands.json" && echo "$file"
        done)
    # shellcheck disable=SC2086
    echo "$files" | xargs -P"$(build_jobs)" -n3 clang-tidy -p "$1" --quiet 2>/dev/null >"$1/clang-tidy.log" || {
        grep -E 'warning:|error:' "$1/clang-tidy.log" | sort -u
        echo "clang-tidy found the above."
        return 1
    }
}
