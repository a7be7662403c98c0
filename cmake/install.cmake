# How the game installs as a Linux desktop program, and the Debian package made from that:
# executables in games/, read-only data in share/tramolkulap/, the menu entry, icons,
# AppStream metainfo and manual pages where desktops and package tools look for them.
include(GNUInstallDirs)

set(TK_APP_ID cz.tramolkulap.TramolKulap)
set(TK_INSTALL_BINDIR games CACHE STRING "Where the executables install, under the prefix")
set(TK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tramolkulap CACHE STRING "Where the game's data installs, under the prefix")
set(TK_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tramolkulap)

# The installed game finds its data by this path from its own folder, so a prefix can be
# moved as a whole.
file(RELATIVE_PATH TK_DATA_FROM_BIN /prefix/${TK_INSTALL_BINDIR} /prefix/${TK_INSTALL_DATADIR})
target_compile_definitions(tk_app PRIVATE TK_INSTALLED_DATA="${TK_DATA_FROM_BIN}")

install(TARGETS tramolkulap tramolkulap-levels RUNTIME DESTINATION ${TK_INSTALL_BINDIR})
install(DIRECTORY data/levels data/graphics data/sound data/music data/help
        DESTINATION ${TK_INSTALL_DATADIR})
install(FILES data/options.txt DESTINATION ${TK_INSTALL_DATADIR})

# The menu entry names the installed executable by its full path: /usr/games is not on
# every session's PATH. The prefix is known only when installing.
install(CODE "
  set(TK_EXEC \"\${CMAKE_INSTALL_PREFIX}/${TK_INSTALL_BINDIR}/tramolkulap\")
  configure_file(\"${CMAKE_SOURCE_DIR}/desktop/${TK_APP_ID}.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/desktop/${TK_APP_ID}.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
       TYPE FILE FILES \"${CMAKE_BINARY_DIR}/desktop/${TK_APP_ID}.desktop\")
")
foreach(px 16 32 48 64 128 256)
  install(FILES desktop/icons/${px}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${px}x${px}/apps RENAME ${TK_APP_ID}.png)
endforeach()
install(FILES desktop/icons/scalable.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TK_APP_ID}.svg)
install(FILES desktop/${TK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog go compressed, as Debian has them; -n keeps the
# package the same from one build to the next.
set(tk_compressed)
foreach(page tramolkulap.6 tramolkulap-levels.6 changelog)
  if(page STREQUAL "changelog")
    set(src ${CMAKE_SOURCE_DIR}/desktop/changelog)
  else()
    set(src ${CMAKE_SOURCE_DIR}/desktop/man/${page})
  endif()
  set(out ${CMAKE_BINARY_DIR}/desktop/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND sh -c "gzip -9n -c '${src}' > '${out}'"
    DEPENDS ${src} VERBATIM)
  list(APPEND tk_compressed ${out})
endforeach()
add_custom_target(tk_desktop_files ALL DEPENDS ${tk_compressed})
install(FILES ${CMAKE_BINARY_DIR}/desktop/tramolkulap.6.gz ${CMAKE_BINARY_DIR}/desktop/tramolkulap-levels.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES desktop/copyright ${CMAKE_BINARY_DIR}/desktop/changelog.gz DESTINATION ${TK_INSTALL_DOCDIR})

# ---- the Debian package (make package) -----------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tramolkulap)
set(CPACK_PACKAGE_VENDOR "TramolKulap")
set(CPACK_PACKAGE_CONTACT "TramolKulap developers <tramolkulap@tramolkulap.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pipe puzzle: turn the pipes so that the water reaches every cell")
set(CPACK_PACKAGE_DESCRIPTION "A keyboard and game-controller puzzle on an 11 x 7 board of pipe pieces.
A small figure walks through the joined pipes and turns the one it stands on
a quarter turn at a time; water runs from the source through every chain of
joined pipes. A level is solved when every cell but the floor holds water,
and lost when its clock runs out. Thirty levels, Czech and English.
.
The package also holds tramolkulap-levels, which checks, shows, solves and
generates level files.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries' packages come from the executables themselves (dpkg-shlibdeps), except
# SDL_mixer, which the game opens by name when sound is first needed, and the fonts: the
# captions are laid out for Liberation Sans (the widths of the font the game asks for),
# and the help pages take their arrows and code from DejaVu. The package's tests lay out
# every caption with these fonts and no other.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-mixer-2.0-0, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The package is made from the install rules above, not from the source tree.
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
