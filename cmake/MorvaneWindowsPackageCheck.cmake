# Run by cpack on the installed files before it packs them: a package without
# both programs is no package of the game.
foreach(program morvane.exe morvane-solve.exe)
  if(NOT EXISTS "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${program}")
    message(FATAL_ERROR "${program} is not in the install; the package needs both programs")
  endif()
endforeach()
