# `make install` and the package: the program, and on Linux what a desktop
# needs to list it in its menus and software centre.
include(GNUInstallDirs)

# On Windows the program sits at the top of its folder, in the zip as under
# Program Files.
if(WIN32)
    set(CMAKE_INSTALL_BINDIR .)
endif()
if(TARGET duvora)
    install(TARGETS duvora
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
        BUNDLE DESTINATION .)
endif()

if(WIN32)
    # Windows opens .txt files with a double click and shows them whole only
    # with its own line ends; it has no program for LICENSE.
    configure_file("${PROJECT_SOURCE_DIR}/LICENSE" LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
    configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in" README.txt
        @ONLY NEWLINE_STYLE CRLF)
    install(FILES "${PROJECT_BINARY_DIR}/LICENSE.txt" "${PROJECT_BINARY_DIR}/README.txt"
        DESTINATION .)
endif()

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(linux "${PROJECT_SOURCE_DIR}/packaging/linux")
    install(FILES "${linux}/org.duvora.Duvora.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${linux}/org.duvora.Duvora.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/packaging/icons/hicolor"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

    # The licence and the changelog where Debian's tools look for them
    # (share/doc/duvora), the changelog compressed as Debian expects: gzip
    # at its best, with no name or time stamp, so that builds are alike.
    set(DUVORA_PACKAGER_EMAIL "duvora@users.noreply.invalid" CACHE STRING
        "The address in the package's maintainer field and changelog")
    set(DUVORA_MAINTAINER "The Duvora developers <${DUVORA_PACKAGER_EMAIL}>")
    set(debian "${PROJECT_SOURCE_DIR}/packaging/debian")
    configure_file("${debian}/changelog.in" "${PROJECT_BINARY_DIR}/debian/changelog" @ONLY)
    execute_process(
        COMMAND gzip -9 -n -c "${PROJECT_BINARY_DIR}/debian/changelog"
        OUTPUT_FILE "${PROJECT_BINARY_DIR}/debian/changelog.gz"
        COMMAND_ERROR_IS_FATAL ANY)
    install(FILES "${debian}/copyright" "${PROJECT_BINARY_DIR}/debian/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()
