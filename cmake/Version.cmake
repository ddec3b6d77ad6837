# The version as users read it, derived from the project version (the one place it is set):
# the major number, a dot and the minor number in two digits, so 1.0.0 reads "1.00" and 2.15.3
# reads "2.15". The patch number does not show; the package version and the numeric version
# records carry it.

# mosaikon_version_text(<out> <major> <minor>): sets <out> to that text.
function(mosaikon_version_text out major minor)
    if(NOT major MATCHES "^[0-9]+$" OR NOT minor MATCHES "^[0-9]+$" OR minor GREATER 99)
        message(FATAL_ERROR "version ${major}.${minor}: the minor number must be 0 to 99")
    endif()
    if(minor LESS 10)
        set(minor "0${minor}")
    endif()
    set(${out} "${major}.${minor}" PARENT_SCOPE)
endfunction()
