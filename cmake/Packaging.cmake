# The package config other CMake projects find, and the Debian package:
#   cmake --install <build> --prefix <prefix>
#   cd <build> && cpack -G DEB
include(CMakePackageConfigHelpers)

install(EXPORT FirmwareUpdaterTargets
    NAMESPACE FirmwareUpdater::
    DESTINATION ${FU_INSTALL_CMAKEDIR})
configure_package_config_file(cmake/FirmwareUpdaterConfig.cmake.in
    ${PROJECT_BINARY_DIR}/FirmwareUpdaterConfig.cmake
    INSTALL_DESTINATION ${FU_INSTALL_CMAKEDIR}
    PATH_VARS FIRMWAREUPDATER_PLUGIN_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/FirmwareUpdaterConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/FirmwareUpdaterConfig.cmake
    ${PROJECT_BINARY_DIR}/FirmwareUpdaterConfigVersion.cmake
    DESTINATION ${FU_INSTALL_CMAKEDIR})

set(CPACK_PACKAGE_NAME firmwareupdater)
set(CPACK_PACKAGE_CONTACT "FirmwareUpdater developers <firmwareupdater@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Firmware Updater plug-in for the OndrelViewer camera viewer, with its sandbox viewer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Named rather than found by dpkg-shlibdeps, so the package does not depend
# on what the build machine has installed besides Qt.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt5core5a (>= 5.12), libqt5gui5 (>= 5.12), libqt5widgets5 (>= 5.12)")
include(CPack)
