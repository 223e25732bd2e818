# `make package` (or `cpack` in the build folder): a Debian package of the two programs with everything the
# desktop needs. Dependencies come from the shared libraries the programs link (dpkg-shlibdeps); the desktop,
# MIME and icon caches are refreshed by the triggers of the packages that own them, so there are no maintainer
# scripts, and removing the package leaves only what users created in their own folders.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovrikeditor)
set(CPACK_PACKAGE_VENDOR "TovrikEditor")
set(CPACK_PACKAGE_CONTACT "TovrikEditor developers <developers@tovrikeditor.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of .tvk media containers of images or sounds for games")
# The synopsis above is the first line of the package's description, this text the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TovrikEditor builds asset packs for games: .tvk containers (ZIP archives)
that hold a list of images or a list of sounds, each with the attributes a game
runtime needs. Files are added through an open dialog with a preview, the
attributes are edited in a grid. The tvk command line does the same for build
pipelines. The interface is in Czech or English.")
# MIT (LICENSE); the package carries it in /usr/share/doc/tovrikeditor/copyright (data/copyright), as Debian asks.
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tovrikeditor.example.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tovrikeditor_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own dialogs in Czech or English; the program runs without them, in the toolkit's English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Installs under /usr into a staging DESTDIR, so the install step's cache refresh stays out of the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Only what the programs need: the tests, benchmarks and fuzzers install nothing.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/")
include(CPack)
