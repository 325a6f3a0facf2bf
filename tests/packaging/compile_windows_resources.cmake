# Fills in the Windows resource file as the build does and compiles it with
# mingw-w64's resource compiler, without wx.rc, whose wxWidgets sources for
# Windows are not installed here: a broken .ico or version block fails.
# Usage: cmake -DWINDRES=... -DSOURCE_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -P this
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 PROJECT_VERSION_MAJOR)
list(GET parts 1 PROJECT_VERSION_MINOR)
list(GET parts 2 PROJECT_VERSION_PATCH)
set(PROJECT_VERSION "${VERSION}")
set(DUVORA_ICO "${SOURCE_DIR}/packaging/windows/duvora.ico")
configure_file("${SOURCE_DIR}/packaging/windows/duvora.rc.in" "${WORK_DIR}/duvora.rc" @ONLY)
execute_process(
    COMMAND "${WINDRES}" -DDUVORA_WITHOUT_WX_RC "${WORK_DIR}/duvora.rc" -O coff
            -o "${WORK_DIR}/duvora_rc.o"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The Windows resources do not compile")
endif()
