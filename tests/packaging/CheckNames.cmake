# The desktop entry, the metainfo and the icon name each other, and each tool
# checks one file alone: a renamed file or a stale id would leave the menu
# without its icon or the software centre without the program, silently.
# Also every version that gets packaged needs its release entry.
# Run with -DAPP_ID=... -DVERSION=... -DFOLDER=<packaging folder>.

set(faults "")
macro(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    string(APPEND faults "  ${what}: \"${actual}\", expected \"${expected}\"\n")
  endif()
endmacro()

foreach(file ${APP_ID}.desktop ${APP_ID}.metainfo.xml ${APP_ID}.svg)
  if(NOT EXISTS ${FOLDER}/${file})
    string(APPEND faults "  missing file ${file}\n")
  endif()
endforeach()

file(STRINGS ${FOLDER}/${APP_ID}.desktop icon REGEX "^Icon=")
file(STRINGS ${FOLDER}/${APP_ID}.desktop exec REGEX "^Exec=")
expect("desktop entry Icon" "${icon}" "Icon=${APP_ID}")
expect("desktop entry Exec" "${exec}" "Exec=karvo")

file(READ ${FOLDER}/${APP_ID}.metainfo.xml metainfo)
string(REGEX MATCH "<id>([^<]*)</id>" _ "${metainfo}")
expect("metainfo id" "${CMAKE_MATCH_1}" "${APP_ID}")
string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)</launchable>" _ "${metainfo}")
expect("metainfo launchable" "${CMAKE_MATCH_1}" "${APP_ID}.desktop")
string(REGEX MATCH "<icon type=\"stock\">([^<]*)</icon>" _ "${metainfo}")
expect("metainfo icon" "${CMAKE_MATCH_1}" "${APP_ID}")
string(REGEX MATCH "<binary>([^<]*)</binary>" _ "${metainfo}")
expect("metainfo binary" "${CMAKE_MATCH_1}" "karvo")
if(NOT metainfo MATCHES "<release version=\"${VERSION}\"")
  string(APPEND faults "  metainfo has no <release version=\"${VERSION}\"> for the project version\n")
endif()

if(faults)
  message(FATAL_ERROR "packaging files disagree:\n${faults}")
endif()
message(STATUS "packaging files agree on ${APP_ID}, version ${VERSION}")
