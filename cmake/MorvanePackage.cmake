# The Debian package, made by CPack: `make package` configures a tree for it
# with CMAKE_INSTALL_PREFIX=/usr and CMAKE_INSTALL_BINDIR=games, builds it and
# runs cpack there. The copyright file and the changelog are installed by
# every install, not only the package's: the licence asks that its terms go
# with every copy of the program.

set(MORVANE_CONTACT "The Morvane developers <developers@morvane.example>")
set(MORVANE_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/morvane)

# The copyright file in Debian's machine-readable form, its licence terms
# taken from LICENSE so that the two cannot drift apart.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission is hereby granted" terms_start)
string(SUBSTRING "${licence}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
set(MORVANE_LICENCE_TERMS " ${terms}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${MORVANE_DOCDIR})

add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/changelog
  COMMAND ${MORVANE_GZIP} -9nf ${PROJECT_BINARY_DIR}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${MORVANE_DOCDIR})

# The game's messages keep their old spelling on purpose; lintian is told so.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME morvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
# The version the game shows, not the project's four numbers.
set(CPACK_PACKAGE_VERSION ${MORVANE_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_CONTACT ${MORVANE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pentomino puzzle: fit twelve pieces into their box")
set(CPACK_PACKAGE_DESCRIPTION
  "Morvane gives you the twelve shapes that five squares joined edge to edge
can make, each in its own colour, and a board of 6 by 10 squares: exactly
the area of the twelve pieces. Drag the pieces with the mouse, turn and
mirror them, and fit them all in while a counter shows the seconds.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MORVANE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps works out the libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_MORVANE_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/MorvanePackageStrip.cmake)
# Folders the package creates, whatever the umask of whoever builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
