# Packaging for Windows: `cpack` in the windows build folder makes
# mosaikon-VERSION-windows-x86_64.zip, one folder holding Mosaikon.exe (static: it needs no DLL
# beyond Windows' own) and the sample sheets beside it. Unzipped anywhere, it runs as it is.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME mosaikon)
set(CPACK_PACKAGE_VENDOR "The Mosaikon developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "mosaikon-${PROJECT_VERSION}-windows-x86_64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
