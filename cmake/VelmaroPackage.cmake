# The Debian package, built by CPack (scripts/package runs it on a Release
# build installed under /usr). Library dependencies are computed from the
# binaries by dpkg-shlibdeps; the maintainer scripts apply the udev rule.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmaro developers")
set(CPACK_PACKAGE_CONTACT "Velmaro developers <velmaro@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program of the Velmaro gaming mouse")
# The extended description; CPack indents its lines and marks the empty one.
set(CPACK_PACKAGE_DESCRIPTION
    "Velmaro sets up the Velmaro gaming mouse, on its USB cable or through its
2.4 GHz receiver: DPI levels, report rate, lift-off distance, sleep and
wake-up, lighting effects, the functions of its six buttons, macros
recorded and edited in a library, five profiles, the battery level and a
factory reset.

The package holds the desktop program, the velmaroctl command for scripts,
and a udev rule that gives the user at the seat access to the mouse.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Only the programs' own files; the build tree is not part of the package.
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
