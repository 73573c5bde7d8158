# SPDX-License-Identifier: GPL-3.0-or-later
# cpack -G DEB: a Debian package of the installed layout under /usr. The libraries the program
# links come from dpkg-shlibdeps; what it only loads or starts is named here: the voices, the SVG
# plugins of its icons, pdftotext and the Chinese font of its captions, and LibreOffice, without
# which only word-processor documents stay closed.
set(CPACK_PACKAGE_NAME lectorix)
set(CPACK_PACKAGE_VENDOR "Lectorix")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read text and documents aloud")
set(CPACK_PACKAGE_DESCRIPTION
    "Lectorix reads typed, pasted or opened text aloud with eSpeak NG or neural voices (Piper, Kokoro), exports it to WAV, MP3, Ogg or FLAC files, and speaks the texts copied anywhere on the desktop and, on X11, the keys typed.")
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lectorix developers")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "espeak-ng-data, libqt6svg6, poppler-utils, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer-nogui, qt6-translations-l10n")
# The licence, in the machine-readable form Debian asks for, where Debian keeps it.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${LECTORIX_DOC_DIR})
include(CPack)
