# Install rules, desktop integration and the Debian package.
#
# Installed, karvo keeps the shape of its build folder: one program folder
# holding karvo, dremo and k/, because both programs find everything through
# the folder of their own executable. The folder is a plain <prefix>/lib/karvo
# rather than ${CMAKE_INSTALL_LIBDIR}/karvo: on Debian the latter turns into
# lib/x86_64-linux-gnu/karvo, and the scripts, the package test and anyone
# looking for the program are better served by a path that is the same everywhere.
#
# <prefix>/bin/karvo is a relative symbolic link into that folder. Qt finds the
# program folder through /proc/self/exe, which names the link's target, so the
# program started through the link still finds k/ and its companion. dremo
# gets no command of its own: only the log-on entry starts it.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/AppId.cmake)

set(KARVO_PROGRAM_FOLDER lib/karvo)

# dpkg and the desktop need every folder readable by everyone, whatever the
# umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

foreach(program karvo dremo)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${KARVO_PROGRAM_FOLDER})
  endif()
endforeach()

# The mark of a program folder installed for the whole system (the package's
# /usr, or /usr/local): karvo then keeps its settings, its journal and its
# report in the user's folders, whoever runs it, root included, who could
# write beside the program and would leave files that outlive the package. A
# build folder and a per-user install (scripts/install) have no mark and keep
# their files beside the program.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/installed
     "This folder was installed for the whole system: karvo writes nothing here.\n")
install(CODE "
  if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?$\")
    file(INSTALL \"${CMAKE_BINARY_DIR}/packaging/installed\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${KARVO_PROGRAM_FOLDER}\")
  endif()")

# The reference files are copied into the build's program folder by k/; the
# installed folder takes the same set.
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/k/ DESTINATION ${KARVO_PROGRAM_FOLDER}/k)

# The link is made relative from the two install paths, so it holds under any
# prefix and inside the package's staging folder alike.
file(RELATIVE_PATH karvo_link_target
     /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KARVO_PROGRAM_FOLDER}/karvo)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ${karvo_link_target} ${CMAKE_BINARY_DIR}/packaging/karvo SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/karvo DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KARVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KARVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${KARVO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
# Not every menu or software centre draws SVG: the PNGs are rendered from the
# SVG by scripts/make-icons and committed.
foreach(size ${KARVO_ICON_SIZES})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/${KARVO_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages (English, and Russian for Russian locales) and the changelog go
# in gzipped, as man and dpkg expect; -n keeps the date out, so that the same
# sources give the same package.
set(karvo_gzipped)
macro(karvo_gzip source output)
  get_filename_component(karvo_gzip_dir ${output} DIRECTORY)
  string(REGEX REPLACE "\\.gz$" "" karvo_gzip_plain ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${karvo_gzip_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${karvo_gzip_plain}
    COMMAND gzip -9nf ${karvo_gzip_plain}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND karvo_gzipped ${output})
endmacro()
set(karvo_docs ${CMAKE_BINARY_DIR}/packaging/docs)
foreach(page karvo dremo)
  karvo_gzip(${CMAKE_CURRENT_LIST_DIR}/man/${page}.1 ${karvo_docs}/man/man1/${page}.1.gz)
  karvo_gzip(${CMAKE_CURRENT_LIST_DIR}/man/ru/${page}.1 ${karvo_docs}/man/ru/man1/${page}.1.gz)
endforeach()
karvo_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${karvo_docs}/changelog.gz)
add_custom_target(karvo_docs ALL DEPENDS ${karvo_gzipped})
install(DIRECTORY ${karvo_docs}/man/ DESTINATION ${CMAKE_INSTALL_MANDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${karvo_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/karvo)

# The Debian package: `cpack -G DEB --config <build>/CPackConfig.cmake`, from
# any folder, writes it into the build folder, never beside the sources.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_NAME karvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR karvo)
set(CPACK_PACKAGE_CONTACT "karvo <karvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OSAGO motor insurance premium calculator (2011 tariffs)")
set(CPACK_PACKAGE_DESCRIPTION
    "karvo calculates the premium of Russian compulsory motor third-party
liability insurance (OSAGO) under the 2011 tariffs: a ten-step wizard from
the vehicle category to the premium in roubles, with a report for a word
processor, saved inputs, reference notes and a renewal reminder that starts
the calculator at log-on on the chosen day. The user interface is Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/karvo)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries (Qt, the C++ runtime) are found by dpkg-shlibdeps with
# their versions; what the programs load at run time without linking it is
# named here: the platform plugins, and the fonts the windows are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report, the notes, the help file and the links open through xdg-open,
# and Qt's own texts (buttons, context menus, file errors) come from Qt's
# Russian translation. Qt loads the journal's SQLite driver as a plug-in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-liberation2, xdg-utils, qt6-translations-l10n, libqt6sql6-sqlite")
include(CPack)
