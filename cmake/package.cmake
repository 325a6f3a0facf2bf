# `make package`: a .deb of what install.cmake installs. Only for the
# top-level project, so that a project embedding ours keeps its own CPack.
set(CPACK_PACKAGE_NAME duvora)
set(CPACK_PACKAGE_VENDOR "The Duvora developers")
# DUVORA_MAINTAINER is set in install.cmake, which also installs the Debian
# changelog that names it.
set(CPACK_PACKAGE_CONTACT "${DUVORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Duvora reads a text file of two paired series of measurements, shows the\n"
    "pairs and their differences, and reports whether the series differ at the\n"
    "95% level (two-tailed Student's t-test on paired observations).")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The wxWidgets and C++ runtime libraries the program links, found by
# dpkg-shlibdeps, so that the package pulls them in when it is installed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# lintian passes the package with one warning, left on purpose:
#   no-manual-page [usr/bin/duvora]: the program is started from the desktop
#   menu; `duvora --help` gives its few arguments, the README the rest.
include(CPack)
