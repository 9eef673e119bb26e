# Installation and the Debian package (`make package`, or cpack in the build folder).
# The program and its data file sit side by side in /usr/lib/valdric-editor, where the
# program looks for the data file; /usr/bin/valdric-editor is a relative link to it.
set(VALDRIC_LIB_DIR lib/valdric-editor)
install(TARGETS valdric-editor RUNTIME DESTINATION ${VALDRIC_LIB_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/valdric.tbl DESTINATION ${VALDRIC_LIB_DIR})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${VALDRIC_LIB_DIR}/valdric-editor ${CMAKE_BINARY_DIR}/packaging/valdric-editor
     SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/valdric-editor DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/valdric-editor.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/valdric-editor.svg
        DESTINATION share/icons/hicolor/scalable/apps)
# Rendered from the SVG while the library builds (src/CMakeLists.txt).
install(FILES ${CMAKE_BINARY_DIR}/icon/valdric-editor.png
        DESTINATION share/icons/hicolor/256x256/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME valdric-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillmark)
set(CPACK_PACKAGE_CONTACT "Quillmark <editor@quillmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stat editor for the SNES ROM image of Valdric")
set(CPACK_PACKAGE_DESCRIPTION
    "Valdric Editor Rodeviruz opens the 4 MiB ROM image of the SNES role-playing game\n\
Valdric and edits the stats of its enemies, items and characters and its internal\n\
header in place.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillmark.example/)
# The libraries the program links come from dpkg-shlibdeps; the window system plugins Qt
# loads at run time and the Tahoma font files are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wine")
# File > Play in Emulator starts an emulator the user has; these two are offered first.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mednafen | retroarch")
include(CPack)
