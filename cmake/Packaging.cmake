# Packaging: `cpack` in a release build folder makes a Debian package of everything
# `cmake --install` puts in place (program and sample sheets in lib/mosaikon, the link
# bin/mosaikon, the desktop entry, the icons, the AppStream metainfo and the licence).
#
#   cmake --preset release && cmake --build --preset release && (cd build/release && cpack)
#   apt-get install ./build/release/mosaikon_VERSION_amd64.deb
#
# The package's dependencies: what the program needs at run time beyond its shared libraries,
# declared below, followed by what dpkg-shlibdeps computes from those libraries (package
# dpkg-dev; CPack finds ELF files with `file`). On Debian 12 the Qt platform plugins and the GIF
# and JPEG readers come with libqt6gui6, which that computation already names.

if(WIN32)
    include("${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake")
    return()
endif()

include(GNUInstallDirs)

# Debian's copyright file is the licence.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/mosaikon"
    RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mosaikon)
set(CPACK_PACKAGE_VENDOR "The Mosaikon developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compose SNES metasprites from sprite sheet tiles")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Mosaikon developers <mosaikon@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Run-time needs no library link shows: the origin button's face (without it Qt picks another
# font), the clipboard helper the program hands the table to at close, so the table outlives the
# program, and Xlib, which the program opens at close to ask for a clipboard manager. CPack
# appends the shlibdeps result to this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, xclip, libx11-6")
# Qt's GTK theme gives the program the desktop's own file chooser on GNOME and the desktops like
# it. Recommended, not required: without it the program opens files with Qt's own dialog, and
# elsewhere it would only bring GTK for nothing; apt installs recommendations by default.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-gtk-platformtheme")
# The long description, in lines of fewer than 80 characters; CPack puts the summary in front and
# indents each line for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Mosaikon arranges the 16x16-pixel tiles of a sprite sheet (GIF, JPEG or BMP)
into an 8x8 grid of slots, with mirroring and an origin slot, and copies the
arrangement to the clipboard as an assembler data table for SNES sprite code.

Sample sprite sheets come with the program.")

include(CPack)
