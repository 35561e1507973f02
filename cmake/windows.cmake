# Where the Windows build differs from the Linux one, all in this file:
# linking, the resource compiler, running the tests under Wine, and what a
# Windows user downloads (a portable zip and an NSIS installer, both made by
# CPack). The version resource and the GUI subsystem come with the
# executable's own sources (forms/, resources/). Included from the top-level
# CMakeLists.txt, behind its one `if(WIN32)`, before any target and before
# the hardening flags, with the toolchain file cmake/mingw-w64-x86_64.cmake and
# a Qt built for Windows (scripts/windows makes both).

# The platform files forms/platform/*_windows.cpp, and the suites of
# tests/windows in place of the Linux desktop's.
set(QUANTELO_PLATFORM windows)
set(QUANTELO_PLATFORM_TESTS forms resources soak windows)
# Executables are PE, not ELF; the launcher entries are the installer's
# shortcuts.

# The version block and the icon are compiled by windres.
enable_language(RC)

# A portable folder: the executable at the top, its DLLs beside it, Qt's
# plugins in the folders Qt looks for next to the executable.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Executables and their DLLs")

# Two builds of the same sources give the same bytes: no link time in the PE
# header. (ASLR, high-entropy addresses and DEP are binutils' defaults for
# PE; RELRO, BIND_NOW and RUNPATH are ELF's and do not apply.)
add_link_options(LINKER:--no-insert-timestamp)
if(QUANTELO_HARDEN)
    # MinGW's stack protector and fortified calls live in libssp.
    add_link_options(-fstack-protector-strong)
endif()

# Tests run the cross-built programs under Wine (scripts/lib/wine-run).
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run)
endif()

# Qt Test runs on Windows' own platform plugin, in real windows on the
# virtual display that scripts/lib/windows.sh starts, with the faces drawn by
# Qt's FreeType engine as the program draws them under Wine (forms/platform/faces.h),
# and writes its log to standard output, not the debugger. Wine drops
# variables that begin with QT_, so these are arguments. The suites take
# turns on the one display: two at once would take the focus from each
# other.
set(QUANTELO_QT_TEST_ARGS -platform windows:fontengine=freetype -o -,txt)
set(QUANTELO_QT_TEST_PROPERTIES RESOURCE_LOCK windows_display)
# 2,000 random actions under Wine take about half a minute (20,000 on Linux).
set(QUANTELO_SOAK_ACTIONS 2000)

# The plugins the program loads: the Windows platform with its native style.
# (The pictures are compiled in as pixels: no image plugin.)
set(QUANTELO_WINDOWS_PLUGINS QWindowsIntegrationPlugin QWindowsVistaStylePlugin)
# Where the Qt it ships was built from (scripts/lib/windows.sh passes the
# Debian source version), for the licence notes, which need it.
set(QUANTELO_QT_SOURCE "" CACHE STRING "The Debian version of the qt6-base source the Windows Qt was built from")
if(NOT QUANTELO_QT_SOURCE)
    message(FATAL_ERROR "QUANTELO_QT_SOURCE is not set: the Debian version of the qt6-base source "
        "that the Windows Qt was built from (scripts/lib/windows.sh passes it)")
endif()

# The executable's version block and icon (compiled by windres), and what it
# loads besides the system's DLLs: Qt's libraries and plugins, and the MinGW
# runtime that both are linked against. Called once the executable exists
# (see the end of this file).
function(quantelo_windows_deploy target)
    target_sources(${target} PRIVATE ${QUANTELO_WINDOWS_RC})
    set(dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll libssp-0.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "The MinGW runtime ${runtime} was not found")
        endif()
        list(APPEND dlls ${path})
        # Each runtime's licence is the copyright file of the Debian package
        # that holds it.
        file(REAL_PATH ${path} path)
        execute_process(COMMAND dpkg-query -S ${path} OUTPUT_VARIABLE owner OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE status)
        string(REGEX REPLACE ":.*" "" package "${owner}")
        set(copyright /usr/share/doc/${package}/copyright)
        if(NOT status EQUAL 0 OR NOT EXISTS ${copyright})
            message(FATAL_ERROR "No Debian package's copyright file for ${path} (dpkg-query: '${owner}')")
        endif()
        if(runtime STREQUAL "libwinpthread-1.dll")
            set(winpthreads_copyright ${copyright})
        else()
            set(gcc_runtime_copyright ${copyright})
        endif()
    endforeach()
    install(FILES ${dlls} DESTINATION . COMPONENT program)
    foreach(plugin IN LISTS QUANTELO_WINDOWS_PLUGINS)
        get_target_property(type Qt6::${plugin} QT_PLUGIN_TYPE)
        install(FILES $<TARGET_FILE:Qt6::${plugin}> DESTINATION ${type} COMPONENT program)
    endforeach()
    # Stripped where they are installed (the cached Qt keeps its symbols);
    # the PE header's time is SOURCE_DATE_EPOCH, or none, never the clock.
    install(CODE "
        set(epoch \"\$ENV{SOURCE_DATE_EPOCH}\")
        if(NOT epoch)
            set(epoch 0)
        endif()
        file(GLOB_RECURSE dlls \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
        foreach(dll IN LISTS dlls)
            execute_process(COMMAND \${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=\${epoch}
                ${CMAKE_STRIP} --strip-unneeded \${dll} COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
        " COMPONENT program)

    # The licence texts: the program's, Qt's LGPL (with the GPL it builds on)
    # and the notices of the code bundled into Qt, and those of the MinGW
    # runtime (GCC's runtime exception, winpthreads' MIT-style licence).
    # Qt's texts are in the folder it was installed to, two levels above its
    # DLL, in whichever configuration that Qt was built.
    get_target_property(configs Qt6::Core IMPORTED_CONFIGURATIONS)
    set(qt_core_dll)
    foreach(config IN LISTS configs)
        get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_${config})
        if(qt_core_dll)
            break()
        endif()
    endforeach()
    if(NOT qt_core_dll)
        get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION)
    endif()
    get_filename_component(qt_prefix ${qt_core_dll}/../.. ABSOLUTE)
    if(NOT EXISTS ${qt_prefix}/licenses/LGPL-3.0-only.txt)
        message(FATAL_ERROR "No licence texts of Qt in ${qt_prefix}/licenses (Qt6Core.dll: ${qt_core_dll})")
    endif()
    install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT program)
    install(DIRECTORY ${qt_prefix}/licenses/ DESTINATION licenses/Qt COMPONENT program)
    install(FILES ${gcc_runtime_copyright}
        DESTINATION licenses/MinGW-runtime RENAME gcc-runtime.txt COMPONENT program)
    install(FILES ${winpthreads_copyright}
        DESTINATION licenses/MinGW-runtime RENAME mingw-w64.txt COMPONENT program)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/Unicode-DFS-2016.txt DESTINATION licenses/Unicode COMPONENT program)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/windows-licenses.txt.in
        ${CMAKE_BINARY_DIR}/packaging/README-licenses.txt @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/README-licenses.txt DESTINATION licenses COMPONENT program)
endfunction()

# The downloads: `cpack` in the build folder makes both.
#   Quantelo-Power-<version>-win64.zip        the portable folder
#   Quantelo-Power-<version>-win64-setup.exe  the installer
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Quantelo)
set(CPACK_PACKAGE_VENDOR Kestrova)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Real and apparent power of single- and three-phase loads")
set(CPACK_PACKAGE_FILE_NAME Quantelo-Power-${PROJECT_VERSION}-win64)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quantelo)
# The installer's registry keys, its uninstall entry's among them:
# Software\Microsoft\Windows\CurrentVersion\Uninstall\Quantelo.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quantelo)
# DisplayVersion of the uninstall entry: the version the program gives.
set(CPACK_PACKAGE_VERSION ${QUANTELO_VERSION_TEXT})
set(CPACK_PACKAGE_EXECUTABLES Quantelo-Power Quantelo)
# The shortcuts lead to the top of the folder, where the program is (CPack
# would point them into bin\).
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Quantelo)
set(CPACK_NSIS_PACKAGE_NAME Quantelo)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/quantelo.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/quantelo.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Quantelo-Power.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_URL_INFO_ABOUT "https://kestrova.example/quantelo")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer for a 64-bit program (NSIS makes 32-bit ones unless
# told), with Unicode texts. It stores no file times: CPack writes some of
# the files it packs anew on every run, so stored times would make every
# installer different; installed files get the time of the installation.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\n  SetDateSave off")
# The installer's own version block, as Explorer's Properties show it.
string(REPLACE "," "." setup_version "${QUANTELO_RC_VERSION}")
string(APPEND CPACK_NSIS_DEFINES "
  VIProductVersion ${setup_version}
  VIFileVersion ${setup_version}
  VIAddVersionKey /LANG=1033 ProductName Quantelo1
  VIAddVersionKey /LANG=1033 CompanyName ${CPACK_PACKAGE_VENDOR}
  VIAddVersionKey /LANG=1033 FileDescription \"Quantelo ${QUANTELO_VERSION_TEXT} Setup\"
  VIAddVersionKey /LANG=1033 FileVersion ${QUANTELO_VERSION_TEXT}
  VIAddVersionKey /LANG=1033 ProductVersion ${QUANTELO_VERSION_TEXT}
  VIAddVersionKey /LANG=1033 LegalCopyright \"Copyright (c) 2026 Kestrova\"
  VIAddVersionKey /LANG=1033 OriginalFilename ${CPACK_PACKAGE_FILE_NAME}-setup.exe
  !include FileFunc.nsh")
# What deployment tools read in the uninstall entry besides CPack's own
# values (DisplayName, DisplayVersion, Publisher, DisplayIcon,
# UninstallString): the folder, the size in KiB, and the command that
# uninstalls without asking. The uninstaller removes the whole entry.
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX \"${uninstall_key}\" InstallLocation \"$INSTDIR\"
  WriteRegStr SHCTX \"${uninstall_key}\" QuietUninstallString '\"$INSTDIR\\Uninstall.exe\" /S'
  \${GetSize} \"$INSTDIR\" /S=0K $0 $1 $2
  IntFmt $0 0x%08X $0
  WriteRegDWORD SHCTX \"${uninstall_key}\" EstimatedSize $0")
set(CPACK_VERBATIM_VARIABLES ON)
# Per generator: the installer's file name, and file times taken from
# SOURCE_DATE_EPOCH in the staged tree (both archives store them).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows-cpack-config.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows-cpack-times.cmake)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)

# The executable is made in forms/; it is deployed once the top-level
# CMakeLists.txt has been read to its end.
if(QUANTELO_GUI)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quantelo_windows_deploy Quantelo-Power)
endif()
