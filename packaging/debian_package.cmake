# The Debian package tagora-converter_VERSION_ARCH.deb, made by CPack from
# the install rules: in the build folder, `cpack -G DEB` (scripts/package.sh
# builds with Debian's hardening flags first). Its name, maintainer,
# section, priority and description come from script_writer/credits.cmake; the
# libraries it depends on are found by dpkg-shlibdeps.
if(NOT TAGORA_BUILD_GUI)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TAGORA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${TAGORA_COMPANY_NAME})
set(CPACK_PACKAGE_CONTACT ${TAGORA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${TAGORA_PACKAGE_SUMMARY})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAGORA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION ${TAGORA_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION ${TAGORA_PACKAGE_SECTION})
set(CPACK_DEBIAN_PACKAGE_PRIORITY ${TAGORA_PACKAGE_PRIORITY})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAGORA_DEVELOPER_WEB_ADDRESS})
# The libraries come from dpkg-shlibdeps; the fonts it cannot see: the
# windows ask for Tahoma, MS Sans Serif and Courier New and fall back on
# their metric-compatible Liberation faces, so that texts fit their places.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Folders 0755 and control files as dpkg wants them, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
