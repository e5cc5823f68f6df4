# The desktop entry, the metainfo and the icon name each other, and each tool
# checks one file alone: a renamed file or a stale id would leave the menu
# without its icon or the software centre without the program, silently.
# Also every version that gets packaged needs its release entry and its
# changelog entry, every PNG icon its size, and every screenshot that the
# metainfo lists a committed picture of the size it states.
# Run with -DAPP_ID=... -DVERSION=... -DICON_SIZES=16;24;... -DFOLDER=<packaging
# folder> -DSOURCE=<project folder>.

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

file(STRINGS ${FOLDER}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^karvo \\(${VERSION}\\) ")
  string(APPEND faults "  changelog starts \"${changelog_top}\", not with version ${VERSION}\n")
endif()

# Width and height of a PNG, from its header.
function(png_size file out)
  file(READ ${file} header LIMIT 24 HEX)
  if(NOT header MATCHES "^89504e470d0a1a0a........49484452(........)(........)$")
    set(${out} "not a PNG" PARENT_SCOPE)
    return()
  endif()
  math(EXPR width "0x${CMAKE_MATCH_1}")
  math(EXPR height "0x${CMAKE_MATCH_2}")
  set(${out} "${width}x${height}" PARENT_SCOPE)
endfunction()

foreach(size ${ICON_SIZES})
  set(icon icons/${size}x${size}/${APP_ID}.png)
  if(EXISTS ${FOLDER}/${icon})
    png_size(${FOLDER}/${icon} actual)
    expect("${icon}" "${actual}" "${size}x${size}")
  else()
    string(APPEND faults "  missing icon ${icon} (scripts/make-icons renders it)\n")
  endif()
endforeach()

# Software centres fetch the screenshots from the project's site, where the
# repository's files lie under the homepage.
string(REGEX MATCH "<url type=\"homepage\">([^<]*)</url>" _ "${metainfo}")
set(homepage "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "<image type=\"source\" width=\"[0-9]+\" height=\"[0-9]+\">[^<]*</image>"
       images "${metainfo}")
if(NOT images)
  string(APPEND faults "  metainfo lists no screenshot\n")
endif()
foreach(image ${images})
  string(REGEX MATCH "width=\"([0-9]+)\" height=\"([0-9]+)\">([^<]*)<" _ "${image}")
  set(stated "${CMAKE_MATCH_1}x${CMAKE_MATCH_2}")
  set(url "${CMAKE_MATCH_3}")
  string(FIND "${url}" "${homepage}/" at)
  if(NOT at EQUAL 0)
    string(APPEND faults "  screenshot ${url} does not lie under the homepage ${homepage}\n")
    continue()
  endif()
  string(LENGTH "${homepage}/" skip)
  string(SUBSTRING "${url}" ${skip} -1 path)
  if(EXISTS ${SOURCE}/${path})
    png_size(${SOURCE}/${path} actual)
    expect("screenshot ${path}" "${actual}" "${stated}")
  else()
    string(APPEND faults "  screenshot ${path} is not in the repository\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "packaging files disagree:\n${faults}")
endif()
message(STATUS "packaging files agree on ${APP_ID}, version ${VERSION}")
