# A program of the game's built for the machine the build runs on, through
# that machine's own compiler and C++ library, from the same sources the Linux
# build compiles: a cross-compiled tree's tests hold what they run against it.
#
#   morvane_host_program(NAME SOURCE...)
#
# builds ${CMAKE_CURRENT_BINARY_DIR}/host/NAME as part of the target NAME.
# The sources are named from the top of the project.
find_program(MORVANE_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)

function(morvane_host_program name)
  set(sources ${ARGN})
  list(TRANSFORM sources PREPEND ${PROJECT_SOURCE_DIR}/)
  file(GLOB headers ${PROJECT_SOURCE_DIR}/game/*.h ${PROJECT_SOURCE_DIR}/solve/*.h ${PROJECT_SOURCE_DIR}/solve/*.inc)
  set(program ${CMAKE_CURRENT_BINARY_DIR}/host/${name})
  add_custom_command(OUTPUT ${program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/host
    COMMAND ${MORVANE_HOST_CXX} -std=c++20 -O1 -pthread -I${PROJECT_SOURCE_DIR} -I${PROJECT_BINARY_DIR}/generated
            -o ${program} ${sources}
    DEPENDS ${sources} ${headers}
    COMMENT "Building ${name} for this machine"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${program})
endfunction()
