# find_package(GoogleTestSource): GoogleTest built in this tree from its
# sources, for a platform that has no GoogleTest of its own: mingw-w64 on
# Debian, whose googletest package ships the sources (/usr/src/googletest).
# Gives the targets GTest::gtest and GTest::gtest_main, as find_package(GTest)
# does where GoogleTest is installed, built with the tree's compiler and
# GoogleTest's own flags.
#
#   GOOGLETEST_SOURCE_DIR  the sources' top folder (a cache entry: point it
#                          at another copy with -DGOOGLETEST_SOURCE_DIR=...)
#   GoogleTestSource_VERSION

# The sources are for any platform, so they are looked for on the host
# itself, never under a cross compiler's root.
find_path(GOOGLETEST_SOURCE_DIR
  NAMES googletest/src/gtest-all.cc
  PATHS /usr/src /usr/local/src
  PATH_SUFFIXES googletest
  NO_CMAKE_FIND_ROOT_PATH
  DOC "GoogleTest's source folder")

if(GOOGLETEST_SOURCE_DIR AND EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  file(STRINGS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt version_line REGEX "set\\(GOOGLETEST_VERSION [0-9.]+\\)")
  string(REGEX REPLACE ".*GOOGLETEST_VERSION ([0-9.]+).*" "\\1" GoogleTestSource_VERSION "${version_line}")
  unset(version_line)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GoogleTestSource
  REQUIRED_VARS GOOGLETEST_SOURCE_DIR
  VERSION_VAR GoogleTestSource_VERSION)

if(GoogleTestSource_FOUND AND NOT TARGET GTest::gtest)
  # GoogleTest alone, not GoogleMock; nothing of it is installed with the game.
  set(BUILD_GMOCK OFF)
  set(INSTALL_GTEST OFF)
  # Its build names the targets GTest::gtest and GTest::gtest_main itself.
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  unset(BUILD_GMOCK)
  unset(INSTALL_GTEST)
endif()
