# The game's programs built for the machine the build runs on, through that
# machine's own compiler and C++ library: a cross-compiled tree's tests hold
# what they run against them. They come from this same source tree,
# configured once more for the host with MORVANE_HOST_PROGRAMS, which builds
# the rules and the solver as their own CMakeLists.txt define them and, over
# them, morvane-solve and the end-to-end helper e2e_positions
# (tests/windows): a new source file in game/ or solve/ reaches them with no
# edit here or in tests/.
#
#   morvane_host_programs(PROGRAM...)
#
# adds the target host_programs, which builds the programs named (e2e_positions,
# morvane-solve) in ${CMAKE_CURRENT_BINARY_DIR}/host with everything else, and
# every time, so that a change to the rules reaches them; and sets
# MORVANE_HOST_E2E_POSITIONS and MORVANE_HOST_SOLVE to where they are.
include(ExternalProject)

function(morvane_host_programs)
  set(host ${CMAKE_CURRENT_BINARY_DIR}/host)
  ExternalProject_Add(host_programs
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host}
    CMAKE_ARGS -DMORVANE_HOST_PROGRAMS=ON -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DMORVANE_WERROR=${MORVANE_WERROR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${ARGN}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  set(MORVANE_HOST_E2E_POSITIONS ${host}/tests/windows/e2e_positions PARENT_SCOPE)
  set(MORVANE_HOST_SOLVE ${host}/solve/morvane-solve PARENT_SCOPE)
endfunction()
