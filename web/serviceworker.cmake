# Writes the site's service worker from its template: the list of files it
# keeps, and a cache name made from their contents.
#   cmake -DSITE=folder -DTEMPLATE=sw.js -DFILES=a,b,c -P serviceworker.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(contents "")
set(list "")
foreach(file ${FILES})
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND contents "${file} ${hash}\n")
  string(APPEND list "  '${file}',\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 MORVANE_SITE_VERSION)
set(MORVANE_SITE_FILES "${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
