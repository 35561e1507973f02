# Where the browser build differs from the Linux one, all in this file: no
# Qt (the page is written for the web over the same core, web/), the flags
# WebAssembly takes, and running the core's suites under node. Included
# from the top-level CMakeLists.txt, behind its one `elseif(EMSCRIPTEN)`,
# before any target and before the hardening flags, when building with
# Emscripten (scripts/web).

set(QUANTELO_PLATFORM web)
set(QUANTELO_PLATFORM_TESTS "")
set(QUANTELO_WEB_PAGE ON)
# The page is not made of Qt windows; the benchmarks run natively.
set(QUANTELO_GUI OFF)
set(QUANTELO_BENCH OFF)

# Of the hardening flags only the format checks apply. WebAssembly keeps
# the call stack and the code out of the program's memory and checks every
# indirect call's type, which is what the stack protector, the stack-clash
# probes and control-flow protection approximate on a native target;
# Emscripten's C library has no fortified calls, and PIE and RELRO are ELF's.
set(QUANTELO_HARDEN OFF)
add_compile_options(-Wformat -Werror=format-security)
# Small before fast: the module is downloaded on every first visit.
add_compile_options(-Oz -flto)
# Emscripten's libc++ 13 has the coroutine library under its experimental
# name only (calc/suspendable.h), which clang 14 still takes
# but calls deprecated.
add_compile_options(-Wno-deprecated-experimental-coroutine)

# The suites run under node, which runs Emscripten's output only without its
# experimental fetch; they end the runtime with main, so that the exit status
# reaches ctest, and may grow their memory.
find_program(QUANTELO_NODE NAMES node nodejs REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUANTELO_NODE} --no-experimental-fetch)
set(QUANTELO_TEST_LINK_OPTIONS "SHELL:-s EXIT_RUNTIME=1" "SHELL:-s ALLOW_MEMORY_GROWTH=1")
# The page and its module are web/, which the top level adds after the core.
