# Compiler and linker hardening for every target, at least what Debian's
# hardening=+all gives a package: stack protector, fortified libc calls,
# stack-clash probes, control-flow protection (CET), format-string checks,
# a position-independent executable and a read-only GOT bound at start-up.
# Included once from the top-level CMakeLists.txt, before any target.
#
# Sanitizer builds keep everything but _FORTIFY_SOURCE: the fortified
# wrappers hide accesses from AddressSanitizer's interceptors (the fuzz
# targets drop it themselves, tests/fuzz). The build type is the top-level
# CMakeLists.txt's choice; _FORTIFY_SOURCE needs an optimising one.
#
# The file prefix maps keep the build's folders out of the binaries (__FILE__,
# debug information and with them the build-id), so that two builds of the
# same sources in different folders give the same package.
include(CheckPIESupported)

add_compile_options(
    "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=."
    "-ffile-prefix-map=${CMAKE_BINARY_DIR}=build")

if(QUANTELO_HARDEN)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(
        -fstack-protector-strong
        -fcf-protection
        -Wformat
        -Werror=format-security)
    if(NOT QUANTELO_SANITIZE)
        # -U first: a packager's CPPFLAGS may already define it.
        add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
    endif()
    if(QUANTELO_ELF)
        # ELF's. On Windows, MinGW probes every page of a frame larger than a
        # page already (___chkstk_ms), and its GCC cannot combine the option
        # with SEH unwinding; the PE counterparts of RELRO and BIND_NOW are in
        # windows.cmake.
        add_compile_options(-fstack-clash-protection)
        add_link_options(LINKER:-z,relro LINKER:-z,now)
    endif()
endif()

# No library search path: the program links Qt from the system and its own
# libraries statically. qt_standard_project_setup() asks for
# $ORIGIN:$ORIGIN/../lib on install, and CMake then pads the build-tree
# RUNPATH with empty entries to make room for it, which the loader reads as
# the current directory. Call this after qt_standard_project_setup().
macro(quantelo_no_runpath)
    set(CMAKE_INSTALL_RPATH "")
    set(CMAKE_SKIP_INSTALL_RPATH ON)
endmacro()
