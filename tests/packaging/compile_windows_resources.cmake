# Fills in the Windows resource file as the build does and compiles it with
# mingw-w64's resource compiler, without wx.rc, whose wxWidgets sources for
# Windows are not installed here: a broken .ico or version block fails.
# Usage: cmake -DWINDRES=... -DSOURCE_DIR=... -DWORK_DIR=... -DPROJECT_VERSION[_MAJOR|_MINOR|_PATCH]=... -P this
set(DUVORA_ICO "${SOURCE_DIR}/packaging/windows/duvora.ico")
configure_file("${SOURCE_DIR}/packaging/windows/duvora.rc.in" "${WORK_DIR}/duvora.rc" @ONLY)
execute_process(COMMAND "${WINDRES}" -DDUVORA_WITHOUT_WX_RC "${WORK_DIR}/duvora.rc" -O coff
                        -o "${WORK_DIR}/duvora_rc.o" COMMAND_ERROR_IS_FATAL ANY)
