# Read by cpack once for each generator. The installer and the zip share a
# name but for the installer's -setup, which tells a player the two apart in
# a downloads folder; the zip keeps the plain name for the folder it unpacks.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()
