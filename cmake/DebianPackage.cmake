# The Debian package: scripts/package configures a build with the prefix /usr
# and runs cpack there. The package holds what `cmake --install` puts under
# /usr, plus the copyright and change log Debian wants with every package.

set(WARPIX_PACKAGE_MAINTAINER "Photo Warpix developers <warpix@example.org>" CACHE STRING
  "Maintainer field of the Debian package")

set(WARPIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/warpix)
install(FILES packaging/copyright DESTINATION ${WARPIX_DOC_DIR})
set(WARPIX_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog)
add_custom_command(OUTPUT ${WARPIX_CHANGELOG}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/changelog ${WARPIX_CHANGELOG}
  COMMAND ${GZIP_PROGRAM} -9nf ${WARPIX_CHANGELOG}
  DEPENDS packaging/changelog VERBATIM)
add_custom_target(warpix_changelog ALL DEPENDS ${WARPIX_CHANGELOG}.gz)
install(FILES ${WARPIX_CHANGELOG}.gz DESTINATION ${WARPIX_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME warpix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Photo Warpix developers")
set(CPACK_PACKAGE_CONTACT ${WARPIX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WARPIX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo screensaver that warps and paints over your pictures")
set(CPACK_PACKAGE_DESCRIPTION "\
Photo Warpix shows your photos (JPEG, PNG and BMP files from the folders
you choose) full screen over every monitor and then, one paced drawing
operation after another, warps, blurs, repaints, textures and writes text
over them.

It runs on its own, as an XScreenSaver hack (the package installs the hack
and its settings description) or headless, writing a picture after every
operation.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The metric twins of the fonts the text operations ask for, and xdg-open
# for the help page; the program runs without them, only less faithfully.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
