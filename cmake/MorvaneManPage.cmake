# morvane_install_manpage(<page>)
#
# Fills in the page's @MORVANE_VERSION_TEXT@, compresses it at build time and installs it into the man folder of
# its section, which is the page's extension: morvane.6 goes to
# ${CMAKE_INSTALL_MANDIR}/man6/morvane.6.gz. gzip -n leaves out the name and
# time stamp, so the same page always gives the same bytes.
find_program(MORVANE_GZIP gzip REQUIRED)

function(morvane_install_manpage page)
  # Windows has no man pages: the read-me beside the programs stands in.
  if(WIN32)
    return()
  endif()
  get_filename_component(source ${page} ABSOLUTE)
  get_filename_component(name ${page} NAME)
  string(REGEX MATCH "[1-9]$" section "${name}")
  if(NOT section)
    message(FATAL_ERROR "morvane_install_manpage: ${page} has no section number as its extension")
  endif()

  set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${source} ${copy}.in @ONLY)
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${copy}.in ${copy}
    COMMAND ${MORVANE_GZIP} -9nf ${copy}
    DEPENDS ${copy}.in
    COMMENT "Compressing the man page ${name}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "manpage_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
