# `make package`: a .deb of what install.cmake installs; `make package-windows`:
# the Windows zip, and the installer that wixl builds from the same stripped
# files once CPack has staged them (packaging/windows). Only for the top-level
# project, so that a project embedding ours keeps its own CPack.
set(CPACK_PACKAGE_NAME duvora)
set(CPACK_PACKAGE_VENDOR "The Duvora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
if(WIN32)
    set(CPACK_GENERATOR ZIP External)
    set(CPACK_PACKAGE_FILE_NAME "duvora-${PROJECT_VERSION}-windows-x64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Duvora)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${PROJECT_SOURCE_DIR}/packaging/windows/msi.cmake")
    # The packages hold the program alone: no need to build the benchmarks.
    set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
else()
    # DUVORA_MAINTAINER is set in install.cmake, which also installs the
    # Debian changelog that names it.
    set(CPACK_PACKAGE_CONTACT "${DUVORA_MAINTAINER}")
    string(CONCAT CPACK_PACKAGE_DESCRIPTION
        "Duvora reads a text file of two paired series of measurements, shows the\n"
        "pairs and their differences, and reports whether the series differ at the\n"
        "95% level (two-tailed Student's t-test on paired observations).")
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION science)
    # The wxWidgets and C++ runtime libraries the program links, found by
    # dpkg-shlibdeps, so that the package pulls them in when it is installed.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # lintian passes the package with one warning, left on purpose:
    #   no-manual-page [usr/bin/duvora]: the program is started from the
    #   desktop menu or a file manager; `duvora --help` gives its few
    #   arguments, the README the rest.
endif()
include(CPack)
