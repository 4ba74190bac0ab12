# Writes the page from its template with the bundled program inline, in
# place of the template's module script.
#   cmake -DTEMPLATE=index.html -DPROGRAM=program.js -DPAGE=site/index.html -P inlineprogram.cmake
file(READ ${TEMPLATE} page)
file(READ ${PROGRAM} program)
set(script "<script type=\"module\" src=\"morvane.js\"></script>")
string(FIND "${page}" "${script}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${TEMPLATE} has no ${script} to put the program in")
endif()
# The program ends the script element at its first "</script".
string(TOLOWER "${program}" lower)
string(FIND "${lower}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} holds \"</script\", which would end the page's script early")
endif()
string(REPLACE "${script}" "<script type=\"module\">\n${program}</script>" page "${page}")
file(WRITE ${PAGE} "${page}")
