# Run by CPack on the files it has installed for the package, before packing
# them: strip leaves the compiler's version string in each program's .comment
# section, which nothing reads; Debian's own packages drop it too.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/games/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CPACK_MORVANE_OBJCOPY} --remove-section=.comment ${program}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot remove the .comment section of ${program}")
  endif()
endforeach()
