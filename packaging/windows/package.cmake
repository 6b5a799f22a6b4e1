# The Windows program's version resource and manifest, and its packages: a zip of
# kestrion.exe and kestrion-engine.exe with README.txt and LICENSE.txt, and an NSIS
# installer (Debian's nsis provides makensis) made from our own template, NSIS.template.in.
if(NOT TARGET kestrion_win32)
  return()
endif()

set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(KESTRION_MANIFEST ${generated}/kestrion.manifest)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/kestrion.manifest.in ${KESTRION_MANIFEST}
               @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/version.rc.in ${generated}/version.rc @ONLY)
target_sources(kestrion_win32 PRIVATE ${generated}/version.rc)
set_property(SOURCE ${generated}/version.rc APPEND PROPERTY OBJECT_DEPENDS ${KESTRION_MANIFEST})
if(MSVC)
  # The manifest is in the resources already; the linker must not add a second one.
  target_link_options(kestrion_win32 PRIVATE /MANIFEST:NO)
endif()

# Notes for Windows readers, with Windows line ends.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${generated}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/README.txt ${generated}/README.txt @ONLY
               NEWLINE_STYLE CRLF)

install(TARGETS kestrion_win32 RUNTIME DESTINATION .)
# The engine for other chess programs, beside the game.
install(TARGETS kestrion_engine_program RUNTIME DESTINATION .)
install(FILES ${generated}/README.txt ${generated}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME kestrion-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kestrion)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# CPack takes NSIS.template.in from the module path and fills it in with the CPACK_ values.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(CPACK_NSIS_KESTRION_ICON ${PROJECT_SOURCE_DIR}/resources/kestrion.ico)
