# The version as users read it is generated from the project version wherever it shows. The
# templates are configured here for versions other than the project's own, so a version typed
# into a template, or a wrong derivation, fails.
#   cmake -DSOURCE_DIR=<checkout> -DWORK_DIR=<scratch folder> -P version_test.cmake
include("${SOURCE_DIR}/cmake/Version.cmake")

# major;minor;text as users read it
foreach(row "1;0;1.00" "1;5;1.05" "2;15;2.15" "0;99;0.99" "12;10;12.10")
    list(GET row 0 major)
    list(GET row 1 minor)
    list(GET row 2 want)
    mosaikon_version_text(got ${major} ${minor})
    if(NOT got STREQUAL want)
        message(SEND_ERROR "version ${major}.${minor} reads '${got}', expected '${want}'")
    endif()
endforeach()

# Two digits cannot hold a minor number of 100: configuring must stop, not print "1.100".
file(WRITE "${WORK_DIR}/minor100.cmake"
    "include(\"${SOURCE_DIR}/cmake/Version.cmake\")\nmosaikon_version_text(t 1 100)\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -P "${WORK_DIR}/minor100.cmake"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
if(status EQUAL 0 OR NOT error MATCHES "minor number must be 0 to 99")
    message(SEND_ERROR "minor 100 was accepted (status ${status}): ${error}")
endif()

# file;text that must appear in it, for project version 2.7.3
set(PROJECT_VERSION_MAJOR 2)
set(PROJECT_VERSION_MINOR 7)
set(PROJECT_VERSION_PATCH 3)
mosaikon_version_text(MOSAIKON_VERSION_TEXT 2 7)
set(MOSAIKON_ICON_FILE icon.ico)
foreach(row
        "mosaikon.rc;FILEVERSION 2,7,3,0"
        "mosaikon.rc;PRODUCTVERSION 2,7,3,0"
        "mosaikon.rc;VALUE \"FileVersion\", \"2.07\""
        "mosaikon.rc;VALUE \"ProductVersion\", \"2.07\""
        "io.github.mosaikon.Mosaikon.metainfo.xml;<release version=\"2.07\"")
    list(GET row 0 name)
    list(GET row 1 want)
    configure_file("${SOURCE_DIR}/resources/${name}.in" "${WORK_DIR}/${name}" @ONLY)
    file(READ "${WORK_DIR}/${name}" text)
    string(FIND "${text}" "${want}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "${name} for version 2.7.3 lacks: ${want}")
    endif()
endforeach()
