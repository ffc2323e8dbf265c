# The Debian package (cpack, or `make package`): quillmark_<version>_<arch>.deb
# with the install rules of cmake/Install.cmake. Its dependencies are the
# libraries the binaries link (dpkg-shlibdeps, package dpkg-dev) and the
# programs and plugins Quillmark starts or loads at run time.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_CONTACT "The Quillmark developers <support@quillmark.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "help-authoring tool for WebHelp, CHM and PDF manuals")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillmark keeps documentation as a project: a tree of topics, each one page\n\
written in a word-processor-like editor, with style settings and reusable\n\
content (variables, snippets, conditions). From one project it publishes a\n\
WebHelp site with search and an index, a compiled HTML Help (CHM) file and a\n\
printed PDF manual.\n\
.\n\
The package holds the desktop window (quillmark) and the command-line tool\n\
(quillmark-cli), which creates, checks and publishes projects without a display.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillmark.app/")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Started or loaded at run time, so no library link names them: the PDF printer,
# the CHM compiler, the desktop opener, Qt's SVG icon and X11/Wayland plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "chromium, fp-utils, xdg-utils, libqt6svg6, qt6-qpa-plugins")
# What makes the file type and the menu entry known at once (their dpkg
# triggers) and lets xdg-open tell a project file by its name.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info, libfile-mimeinfo-perl")

include(CPack)

# The package built from this build folder, unpacked and run from a temporary
# root (tests/package): part of `make test`.
if(QUILLMARK_BUILD_TESTS)
  add_test(NAME package_deb
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_BINARY_DIR}
            ${PROJECT_VERSION})
  set_tests_properties(package_deb PROPERTIES TIMEOUT 600
    ENVIRONMENT "QTWEBENGINE_DISABLE_SANDBOX=1;QUILLMARK_UPDATE_URL=off")
endif()
