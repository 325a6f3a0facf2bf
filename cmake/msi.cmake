# Run by CPack's External generator once it has staged the stripped files:
# wixl builds the Windows installer from them. wixl finds the files in its
# working directory and the icon beside the .wxs.
find_program(wixl wixl REQUIRED)
set(msi "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
execute_process(
    COMMAND "${wixl}" --arch x64 -o "${msi}" -D "Name=${CPACK_PACKAGE_INSTALL_DIRECTORY}"
            -D "Version=${CPACK_PACKAGE_VERSION}" -D "Publisher=${CPACK_PACKAGE_VENDOR}"
            "${CPACK_DUVORA_WXS}"
    WORKING_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}"
    COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
