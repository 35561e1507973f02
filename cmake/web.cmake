# Where the browser build differs from the Linux one, all in this file: the
# flags WebAssembly takes, running the tests under node, and what a web
# server hosts (a static folder: the page, the program's .js and .wasm, Qt's
# loader and the licences). Included from the top-level CMakeLists.txt,
# behind its one `elseif(EMSCRIPTEN)`, before any target and before the
# hardening flags, when building with Emscripten against a Qt for
# WebAssembly (scripts/web makes both).

# The platform files forms/platform/*_web.cpp, and of the windows' suites
# those that can run in a page.
set(QUANTELO_PLATFORM web)
set(QUANTELO_PLATFORM_TESTS web)

# Of the hardening flags only the format checks apply. WebAssembly keeps
# the call stack and the code out of the program's memory and checks every
# indirect call's type, which is what the stack protector, the stack-clash
# probes and control-flow protection approximate on a native target;
# Emscripten's C library has no fortified calls, and PIE and RELRO are ELF's.
set(QUANTELO_HARDEN OFF)
# The folder a web server hosts: everything at its top.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "The program's files")
add_compile_options(-Wformat -Werror=format-security)
# Emscripten's libc++ 13 has the coroutine library under its experimental
# name only (calc/suspendable.h), which clang 14 still takes
# but calls deprecated.
add_compile_options(-Wno-deprecated-experimental-coroutine)
# Of the benchmarks only the start-up floor, the bare window, is built for
# the browser (bench/web-startup drives both in Chromium): Google Benchmark
# and the X11 watcher are not found for this target.
# Where the Qt it ships was built from (scripts/lib/web.sh passes the Debian
# source version), for the licence notes.
set(QUANTELO_QT_SOURCE "" CACHE STRING "The Debian version of the qt6-base source the Qt for WebAssembly was built from")

# The suites run under node, which runs Emscripten's output only without its
# experimental fetch; they end the runtime with main, so that the exit status
# reaches ctest, and may grow their memory.
find_program(QUANTELO_NODE NAMES node nodejs REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUANTELO_NODE} --no-experimental-fetch)
set(QUANTELO_TEST_LINK_OPTIONS "SHELL:-s EXIT_RUNTIME=1" "SHELL:-s ALLOW_MEMORY_GROWTH=1")

# The faces the windows ask for, compiled in (forms/platform/faces_web.cpp
# registers them): Wine's Tahoma, regular outline only (forms/windows/fonts.h says
# why), and Liberation Sans, which stands in for the Arial faces.
set(QUANTELO_WEB_FONTS
    /usr/share/wine/fonts/tahoma.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf)
foreach(font IN LISTS QUANTELO_WEB_FONTS)
    if(NOT EXISTS ${font})
        message(FATAL_ERROR "${font} is missing: the page bundles it (Debian's fonts-wine and fonts-liberation2)")
    endif()
endforeach()

# The Debian packages whose code or data the page carries, for the licence
# folder: Emscripten's runtime and C and C++ libraries, the faces, and the
# number conversions' libraries where the program uses them (calc/).
set(QUANTELO_WEB_LICENCE_PACKAGES emscripten fonts-wine fonts-liberation2 libfast-float-dev libfmt-dev)

# A program's page: resources/web/index.html.in, which fills the browser
# window and starts the program, written next to the program as index.html.
function(quantelo_web_page target)
    set(QUANTELO_WEB_PROGRAM ${target})
    get_target_property(binary_dir ${target} BINARY_DIR)
    configure_file(${CMAKE_SOURCE_DIR}/resources/web/index.html.in ${binary_dir}/index.html @ONLY)
endfunction()

# The program as a page: the faces as resources, and the page itself in
# place of Qt's example page.
function(quantelo_web_program target)
    foreach(font IN LISTS QUANTELO_WEB_FONTS)
        get_filename_component(name ${font} NAME)
        set_source_files_properties(${font} PROPERTIES QT_RESOURCE_ALIAS ${name})
    endforeach()
    qt_add_resources(${target} quantelo_web_fonts PREFIX /fonts FILES ${QUANTELO_WEB_FONTS})
    quantelo_web_page(${target})
endfunction()

# The program is made in forms/; it becomes a page, and the static folder
# is installed, once the top-level CMakeLists.txt has been read to its end.
if(QUANTELO_GUI)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quantelo_web_deploy Quantelo-Power)
endif()

# The static folder a web server hosts, installed at the top of the prefix:
#   index.html             the page; it fills the browser window
#   Quantelo-Power.js      the program's JavaScript half
#   Quantelo-Power.wasm    the program
#   qtloader.js            Qt's loader, which the page uses to start it
#   quantelo.png           the page's icon
#   licenses/              the licences of everything the folder holds
function(quantelo_web_deploy target)
    quantelo_web_program(${target})
    get_target_property(binary_dir ${target} BINARY_DIR)
    install(FILES ${binary_dir}/index.html ${binary_dir}/${target}.js ${binary_dir}/${target}.wasm
        ${binary_dir}/qtloader.js DESTINATION . COMPONENT program)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/quantelo-48.png DESTINATION . RENAME quantelo.png
        COMPONENT program)

    get_target_property(qt_core_location Qt6::Core IMPORTED_LOCATION)
    if(NOT qt_core_location)
        get_target_property(qt_configurations Qt6::Core IMPORTED_CONFIGURATIONS)
        list(GET qt_configurations 0 qt_configuration)
        get_target_property(qt_core_location Qt6::Core IMPORTED_LOCATION_${qt_configuration})
    endif()
    get_filename_component(qt_prefix ${qt_core_location}/../.. ABSOLUTE)
    install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION licenses COMPONENT program)
    install(DIRECTORY ${qt_prefix}/licenses/ DESTINATION licenses/Qt COMPONENT program)
    foreach(package IN LISTS QUANTELO_WEB_LICENCE_PACKAGES)
        if(package MATCHES "^lib" AND NOT QUANTELO_FLOAT_TEXT_USED STREQUAL "LIBRARY")
            continue()
        endif()
        set(copyright /usr/share/doc/${package}/copyright)
        if(NOT EXISTS ${copyright})
            message(FATAL_ERROR "The licence of ${package} was not found (${copyright})")
        endif()
        install(FILES ${copyright} DESTINATION licenses/${package} COMPONENT program)
    endforeach()
    set(QUANTELO_WEB_LIBRARY_NOTES "")
    if(QUANTELO_FLOAT_TEXT_USED STREQUAL "LIBRARY")
        set(QUANTELO_WEB_LIBRARY_NOTES "
fast_float and {fmt}, compiled into Quantelo-Power.wasm (the number
conversions)
                            MIT licence (libfast-float-dev/copyright,
                            libfmt-dev/copyright).")
    endif()
    configure_file(${CMAKE_SOURCE_DIR}/packaging/web-licenses.txt.in
        ${CMAKE_BINARY_DIR}/packaging/README-licenses.txt @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/README-licenses.txt DESTINATION licenses COMPONENT program)
endfunction()
