# `cmake --install build --prefix P` and `make package`: the program, its generated data, a menu entry
# with an icon, and the Debian package made of them. Both folders are relative to the prefix; the
# program finds its data from its own folder through the same relative path, so any prefix works.
set(MASHVOLT_INSTALL_BINDIR games CACHE STRING "Where the program is installed, relative to the prefix")
set(MASHVOLT_INSTALL_DATADIR share/games/mashvolt CACHE STRING
  "Where the game's data is installed, relative to the prefix")
file(RELATIVE_PATH data_from_program /prefix/${MASHVOLT_INSTALL_BINDIR} /prefix/${MASHVOLT_INSTALL_DATADIR})
target_compile_definitions(mv_platform PRIVATE MASHVOLT_INSTALLED_DATA="${data_from_program}")

set(data ${MASHVOLT_INSTALL_DATADIR})
install(TARGETS mashvolt RUNTIME DESTINATION ${MASHVOLT_INSTALL_BINDIR})
# Only what the generator makes: a game folder that has been played from also holds the player's files.
install(FILES ${MASHVOLT_GAME_DIR}/SYSTEM/graphics.dat ${MASHVOLT_GAME_DIR}/SYSTEM/models.dat
  ${MASHVOLT_GAME_DIR}/SYSTEM/sounds.dat ${MASHVOLT_GAME_DIR}/SYSTEM/autoexec.cfg DESTINATION ${data}/SYSTEM)
foreach(folder_and_kind Maps:lvx Textures:bmp Backgrounds:jpg)
  string(REPLACE ":" ";" pair ${folder_and_kind})
  list(GET pair 0 folder)
  list(GET pair 1 kind)
  install(DIRECTORY ${MASHVOLT_GAME_DIR}/${folder} DESTINATION ${data} FILES_MATCHING PATTERN "*.${kind}")
endforeach()
# The fonts are the system's DejaVu, linked rather than copied (Debian keeps one copy of each font).
install(CODE "
  set(fonts \"\${CMAKE_INSTALL_PREFIX}/${data}/Fonts\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${fonts}\")
  foreach(font ${MV_FONTS})
    file(RELATIVE_PATH target \"\${fonts}\" \"${MV_FONT_SOURCE}/\${font}\")
    message(STATUS \"Linking: \$ENV{DESTDIR}\${fonts}/\${font} -> \${target}\")
    file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${fonts}/\${font}\" SYMBOLIC)
  endforeach()")

install(FILES packaging/mashvolt.desktop DESTINATION share/applications)
install(DIRECTORY ${MASHVOLT_ICON_DIR}/ DESTINATION share/icons/hicolor)

# The manual page, the copyright and the changelog, the last compressed as Debian wants them.
set(compressed)
foreach(file changelog mashvolt.6)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/${file} > ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${file})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/mashvolt)
install(FILES ${CMAKE_BINARY_DIR}/packaging/mashvolt.6.gz DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mashvolt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Mashvolt maintainers <maintainers@users.noreply.c-seed-30e3f28e.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-view 2D deathmatch shooter against bots")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Mashvolt is a side-view deathmatch shooter for one person, or two
sharing one keyboard on a split screen, against any number of bots.
Fighters run, jump and crouch through levels of blocks, aim freely and
fight with an energy gun, a rifle, a shotgun, rockets, a guided missile,
flak, bouncing discs and a minigun. A drop-down console sets names, key
bindings and settings, alone or from a script run at every match start.")
# The libraries the program links come from dpkg-shlibdeps (libc, SDL2, SDL2_ttf, libjpeg62-turbo and,
# with network play, libenet7); the fonts and ENet are named as well, since they are needed whatever
# the linker saw.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libenet7")
include(CPack)
