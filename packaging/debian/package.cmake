# The Linux install and the Debian package. For the package, tools/package.sh configures
# with CMAKE_INSTALL_PREFIX=/usr and CMAKE_INSTALL_BINDIR=games, where Debian keeps games.
include(GNUInstallDirs)
if(NOT TARGET kestrion)
  return()
endif()

# The component ID the desktop's software centre knows the game by: reverse DNS, under the
# same placeholder domain as the contact address until the project has a home of its own.
set(KESTRION_APP_ID org.example.kestrion)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/kestrion.metainfo.xml.in
               ${generated}/${KESTRION_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/kestrion.6.in ${generated}/kestrion.6 @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/kestrion-engine.6.in ${generated}/kestrion-engine.6
               @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog.in ${generated}/changelog @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp in the header.
find_program(GZIP gzip REQUIRED)
set(compressed "")
foreach(name kestrion.6 kestrion-engine.6 changelog)
  add_custom_command(OUTPUT ${generated}/${name}.gz
                     COMMAND ${GZIP} -9 -n -c ${generated}/${name} > ${generated}/${name}.gz
                     DEPENDS ${generated}/${name} VERBATIM)
  list(APPEND compressed ${generated}/${name}.gz)
endforeach()
add_custom_target(kestrion_docs ALL DEPENDS ${compressed})

# Directories the install makes on its way (usr/, usr/share/icons/...) would otherwise take
# the builder's umask; under the common 002 the package would carry group-writable system
# directories. CPack takes the same value for its staging tree.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS kestrion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The engine for other chess programs, beside the game.
install(TARGETS kestrion_engine_program RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/app/kestrion.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${KESTRION_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kestrion-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME kestrion.png)
endforeach()
install(FILES ${generated}/kestrion.6.gz ${generated}/kestrion-engine.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# Named after the package, not the project (CMAKE_INSTALL_DOCDIR would say "Kestrion").
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrion)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: from the libraries the program links (dpkg-shlibdeps, in dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the text below it.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Kestrion shows a 640x480 chess board scaled crisply to the screen. Press a\n"
       "piece, then its target square; buttons open the Quit, Play, Save and Load\n"
       "dialogs. Each side is played by a person or by the computer, which thinks\n"
       "between frames so the screen never freezes. Games are saved as small text\n"
       "files. The rules leave out castling and capture in passing.\n"
       "The package also holds kestrion-engine, the game's chess engine as a UCI\n"
       "program that any chess program speaking UCI can play against, under the\n"
       "rules of chess, at five levels from beginner to full strength.")
