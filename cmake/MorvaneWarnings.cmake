# The warnings our own code is built with, and -Werror when MORVANE_WERROR is
# on, carried by one interface target, morvane_warnings, that every target of
# ours links. Code that is not ours (GoogleTest, which the Windows tree builds
# from its sources) keeps the flags it comes with.
#
# No CMakeLists.txt has to remember the link: once the whole tree is read,
# every library and program defined in a folder of this source tree links
# morvane_warnings, so a new target in any folder gets the warnings as it is.
#
# The window definitions name each value they set and leave the rest at their
# defaults, which GCC 12 would take for a forgotten field.
add_library(morvane_warnings INTERFACE)
target_compile_options(morvane_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wno-missing-field-initializers $<$<BOOL:${MORVANE_WERROR}>:-Werror>>)

function(morvane_link_warnings folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_link_libraries(${target} PRIVATE morvane_warnings)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${subfolder}" NORMALIZE ours)
    if(ours)
      morvane_link_warnings(${subfolder})
    endif()
  endforeach()
endfunction()

cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL morvane_link_warnings ${PROJECT_SOURCE_DIR})
