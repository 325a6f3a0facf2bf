# Run by CPack's External generator on the staged files: wixl builds the
# Windows installer, finding the files in its working directory and the icon
# beside the .wxs.
find_program(wixl wixl REQUIRED)
set(msi "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
execute_process(
    COMMAND "${wixl}" --arch x64 -o "${msi}" -D "Name=${CPACK_PACKAGE_INSTALL_DIRECTORY}"
            -D "Version=${CPACK_PACKAGE_VERSION}" -D "Publisher=${CPACK_PACKAGE_VENDOR}"
            "${CMAKE_CURRENT_LIST_DIR}/duvora.wxs"
    WORKING_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
