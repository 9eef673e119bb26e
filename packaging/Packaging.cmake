# Installation and the Debian package (`make package`, or cpack in the build folder).
# The program and its data file sit side by side in /usr/lib/valdric-editor, where the
# program looks for the data file; /usr/bin/valdric-editor is a relative link to it.
set(VALDRIC_LIB_DIR lib/valdric-editor)
set(VALDRIC_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(VALDRIC_MADE ${CMAKE_BINARY_DIR}/packaging)
install(TARGETS valdric-editor RUNTIME DESTINATION ${VALDRIC_LIB_DIR})
# strip leaves the compilers' version notes in .comment; Debian's packages carry none.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VALDRIC_LIB_DIR}/valdric-editor\"
    COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${CMAKE_SOURCE_DIR}/data/valdric.tbl DESTINATION ${VALDRIC_LIB_DIR})
file(MAKE_DIRECTORY ${VALDRIC_MADE})
file(CREATE_LINK ../${VALDRIC_LIB_DIR}/valdric-editor ${VALDRIC_MADE}/valdric-editor SYMBOLIC)
install(FILES ${VALDRIC_MADE}/valdric-editor DESTINATION bin)

# The desktop entry, the AppStream metadata and the icons, all named by the one id.
install(FILES ${VALDRIC_PACKAGING}/${VALDRIC_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${VALDRIC_PACKAGING}/${VALDRIC_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VALDRIC_PACKAGING}/${VALDRIC_APP_ID}.svg
        DESTINATION share/icons/hicolor/scalable/apps)
# Rendered from the SVG while the library builds (src/CMakeLists.txt).
install(FILES ${CMAKE_BINARY_DIR}/icon/${VALDRIC_APP_ID}.png
        DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${VALDRIC_PACKAGING}/valdric-editor.bash-completion
        DESTINATION share/bash-completion/completions RENAME valdric-editor)
install(FILES ${VALDRIC_PACKAGING}/copyright DESTINATION share/doc/valdric-editor)

# The manual page is made from the program's own --help and --version, with the include
# file for what those cannot say; it and the changelog are compressed as Debian's are.
# The package is made from the plain build only, so the sanitizer build skips them.
if(NOT VALDRIC_SANITIZE)
    find_program(HELP2MAN help2man REQUIRED)
    find_program(GZIP gzip REQUIRED)
    add_custom_command(OUTPUT ${VALDRIC_MADE}/valdric-editor.1.gz
        COMMAND ${HELP2MAN} --no-info --include ${VALDRIC_PACKAGING}/valdric-editor.h2m
                --output ${VALDRIC_MADE}/valdric-editor.1 $<TARGET_FILE:valdric-editor>
        COMMAND ${GZIP} -9nf ${VALDRIC_MADE}/valdric-editor.1
        DEPENDS valdric-editor ${VALDRIC_PACKAGING}/valdric-editor.h2m VERBATIM)
    add_custom_command(OUTPUT ${VALDRIC_MADE}/changelog.gz
        COMMAND ${GZIP} -9nc ${VALDRIC_PACKAGING}/changelog > ${VALDRIC_MADE}/changelog.gz
        DEPENDS ${VALDRIC_PACKAGING}/changelog)
    add_custom_target(package-documents ALL
        DEPENDS ${VALDRIC_MADE}/valdric-editor.1.gz ${VALDRIC_MADE}/changelog.gz)
    install(FILES ${VALDRIC_MADE}/valdric-editor.1.gz DESTINATION share/man/man1)
    install(FILES ${VALDRIC_MADE}/changelog.gz DESTINATION share/doc/valdric-editor)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME valdric-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillmark)
set(CPACK_PACKAGE_CONTACT "Quillmark <editor@quillmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stat editor for the SNES ROM image of Valdric")
# Debian's lines of the long description stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Valdric Editor Rodeviruz opens the 4 MiB ROM image of the SNES role-playing\n\
game Valdric and edits the stats of its enemies, items and characters and its\n\
internal header in place, with a history of every change that can be undone.")
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
