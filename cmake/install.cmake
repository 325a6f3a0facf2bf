# `make install` and the package: the program, and on Linux what a desktop
# needs to list it in its menus and software centre.
include(GNUInstallDirs)

if(TARGET duvora)
    install(TARGETS duvora
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
        BUNDLE DESTINATION .)
endif()

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(linux "${PROJECT_SOURCE_DIR}/packaging/linux")
    install(FILES "${linux}/org.duvora.Duvora.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${linux}/org.duvora.Duvora.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/packaging/icons/hicolor"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
endif()
