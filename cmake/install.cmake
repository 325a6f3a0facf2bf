# `make install` and the package: the program, and on Linux what a desktop
# needs to list it in its menus and software centre.
include(GNUInstallDirs)

if(WIN32)
    # The program at the top of its folder, in the zip as under Program Files,
    # beside its licence and README with the line ends Notepad shows whole.
    set(CMAKE_INSTALL_BINDIR .)
    configure_file(LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
    configure_file(packaging/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES "${PROJECT_BINARY_DIR}/LICENSE.txt" "${PROJECT_BINARY_DIR}/README.txt" DESTINATION .)
endif()
if(TARGET duvora)
    install(TARGETS duvora
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
        BUNDLE DESTINATION .)
endif()
# What `duvora` starts for a window on Linux.
if(TARGET duvora_window_program)
    install(TARGETS duvora_window_program
        RUNTIME DESTINATION "${CMAKE_INSTALL_LIBEXECDIR}/duvora")
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
