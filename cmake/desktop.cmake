# What makes the program a desktop application on Windows and macOS: its
# resources there and its bundle. Linux gets its desktop entry, icons and
# metainfo from install.cmake.
if(NOT TARGET duvora)
    return()
endif()

if(WIN32)
    set(DUVORA_ICO "${PROJECT_SOURCE_DIR}/packaging/windows/duvora.ico")
    configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/duvora.rc.in"
                   "${PROJECT_BINARY_DIR}/duvora.rc" @ONLY)
    target_sources(duvora PRIVATE "${PROJECT_BINARY_DIR}/duvora.rc")
    if(MSVC)
        # The manifest comes from wx.rc; a second one from the linker would
        # be a duplicate resource.
        target_link_options(duvora PRIVATE /MANIFEST:NO)
    endif()
elseif(APPLE)
    set(icns "${PROJECT_SOURCE_DIR}/packaging/macos/duvora.icns")
    target_sources(duvora PRIVATE "${icns}")
    set_source_files_properties("${icns}" PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
    set_target_properties(duvora PROPERTIES
        MACOSX_BUNDLE ON
        OUTPUT_NAME Duvora
        MACOSX_BUNDLE_INFO_PLIST "${PROJECT_SOURCE_DIR}/packaging/macos/Info.plist.in"
        MACOSX_BUNDLE_BUNDLE_NAME Duvora
        MACOSX_BUNDLE_GUI_IDENTIFIER org.duvora.Duvora
        MACOSX_BUNDLE_ICON_FILE duvora.icns
        MACOSX_BUNDLE_BUNDLE_VERSION "${PROJECT_VERSION}"
        MACOSX_BUNDLE_SHORT_VERSION_STRING "${PROJECT_VERSION}")
endif()
