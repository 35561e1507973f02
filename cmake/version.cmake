# The program's version and application id, worked out once from
# project(VERSION) and handed on through configured files: version.h for the
# code and the tests (target quantelo_version), quantelo.rc for the Windows
# version block (QUANTELO_WINDOWS_RC). Included from the top-level
# CMakeLists.txt; the variables it sets are seen by every folder below.

set(QUANTELO_APP_ID org.kestrova.Quantelo)

# The version texts have two digits after the point ("1.00" for project
# version 1.0); the fixed version of the Windows block has four numbers.
set(version_parts ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR}
    ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK})
list(APPEND version_parts 0 0 0 0)
list(SUBLIST version_parts 0 4 version_parts)
list(GET version_parts 1 minor)
if(minor GREATER 99)
    message(FATAL_ERROR "The version text has room for two digits of the minor version, not ${minor}")
endif()
string(LENGTH "${minor}" minor_digits)
if(minor_digits LESS 2)
    set(minor "0${minor}")
endif()
list(GET version_parts 0 major)
set(QUANTELO_VERSION_TEXT "${major}.${minor}")
list(JOIN version_parts "," QUANTELO_RC_VERSION)
unset(version_parts)
unset(minor)
unset(minor_digits)
unset(major)

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/quantelo/version.h @ONLY)
add_library(quantelo_version INTERFACE)
target_include_directories(quantelo_version INTERFACE ${PROJECT_BINARY_DIR}/generated)

set(QUANTELO_ICON_IMAGE ${PROJECT_SOURCE_DIR}/resources/quantelo-icon-image.bin)
set(QUANTELO_WINDOWS_RC ${PROJECT_BINARY_DIR}/resources/quantelo.rc)
configure_file(${PROJECT_SOURCE_DIR}/resources/quantelo.rc.in ${QUANTELO_WINDOWS_RC} @ONLY)
