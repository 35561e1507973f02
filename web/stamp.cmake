# Writes the service worker (sw.js from TEMPLATE) into FOLDER: the list of
# every file in the folder, and a version that is a hash of all of them, so
# that any change to any file makes a new cache. Run by web/CMakeLists.txt:
#   cmake -DFOLDER=… -DTEMPLATE=… -P stamp.cmake
file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(hashes "")
set(list "[\n    './'")
foreach(file IN LISTS files)
    file(SHA256 ${FOLDER}/${file} hash)
    string(APPEND hashes "${file} ${hash}\n")
    string(APPEND list ",\n    '${file}'")
endforeach()
string(APPEND list ",\n]")
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
set(VERSION "quantelo-${version}")
set(FILES "${list}")
configure_file(${TEMPLATE} ${FOLDER}/sw.js @ONLY)
