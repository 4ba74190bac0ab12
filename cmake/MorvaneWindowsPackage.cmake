# The Windows installer and the portable zip, made by CPack from the same
# install: `make windows-package` runs cpack in build-windows/, which gives
# Morvane-<version>-win64-setup.exe (NSIS, from packaging/windows/NSIS.template.in)
# and Morvane-<version>-win64.zip. Both hold the two programs at the top of
# the folder with the licence and the read-me beside them, as text files
# with Windows line ends so that any editor shows them as written.

configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Morvane)
set(CPACK_PACKAGE_VERSION ${MORVANE_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR ${MORVANE_COMPANY})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A pentomino puzzle: fit twelve pieces into their box")
# The zip unpacks into a folder of this name; the installer adds -setup
# (MorvaneWindowsPackageConfig.cmake).
set(CPACK_PACKAGE_FILE_NAME Morvane-${MORVANE_VERSION_TEXT}-win64)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/MorvaneWindowsPackageConfig.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/MorvaneWindowsPackageCheck.cmake)
set(CPACK_STRIP_FILES ON)

# The installer is written from the project's own template, not CPack's: a
# 64-bit installer, per user, with the uninstall entry Windows lists.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${MORVANE_APP_ID})
set(CPACK_NSIS_URL_INFO_ABOUT ${MORVANE_MAKER_ADDRESS})
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/morvane.ico)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/resources/installer-side.bmp)
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/resources/installer-side.bmp)
set(CPACK_NSIS_MUI_HEADERIMAGE ${PROJECT_SOURCE_DIR}/resources/installer-header.bmp)
# The four numbers Windows shows as the installer's own file version.
set(CPACK_MORVANE_FILE_VERSION ${PROJECT_VERSION})
set(CPACK_MORVANE_LICENCE ${PROJECT_BINARY_DIR}/LICENSE.txt)
include(CPack)
