# What `cmake --install` puts under the prefix, and the packages `cpack` makes
# from it: a .deb on Linux, a .zip with the exe and the README for Windows.
# The GTP engine goes beside the game in both.
include(GNUInstallDirs)
set(NANAREN_PROGRAMS nanaren)
if(TARGET nanaren-gtp)
  list(APPEND NANAREN_PROGRAMS nanaren-gtp)
endif()

if(WIN32)
  install(TARGETS ${NANAREN_PROGRAMS} RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION .)
  install(DIRECTORY docs DESTINATION . FILES_MATCHING PATTERN "*.md")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  # The launcher sits beside the game in the build directory too, so that it
  # finds the game the same way there and once installed.
  configure_file(scripts/nanaren-play nanaren-play COPYONLY)
  install(TARGETS ${NANAREN_PROGRAMS})
  install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/nanaren-play TYPE BIN)
  install(FILES README.md TYPE DOC)
  install(DIRECTORY docs TYPE DOC FILES_MATCHING PATTERN "*.md")
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
endif()

set(CPACK_PACKAGE_CONTACT "nanaren developers <nanaren@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Console game on a 9x9 board against a Monte-Carlo tree search player")
set(CPACK_PACKAGE_INSTALL_DIRECTORY nanaren)
include(CPack)
