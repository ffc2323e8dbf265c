# Installing Quillmark like any Linux desktop program (cmake --install):
#   bin/quillmark, bin/quillmark-cli
#   share/quillmark/            the program's own files (found by the programs
#                               through QUILLMARK_INSTALLED_FILES_FROM_BIN)
#   share/applications, share/metainfo, share/mime/packages, share/icons/hicolor
#   share/man/man1              quillmark(1), quillmark-cli(1)
# The files made for it (icons in every size, manual pages, metainfo) are
# built with the rest into ${CMAKE_BINARY_DIR}/desktop.

set(QUILLMARK_MIME_ICON application-x-quillmark-project)
set(QUILLMARK_LINUX_DIR ${CMAKE_SOURCE_DIR}/packaging/linux)
set(QUILLMARK_DESKTOP_BUILD ${CMAKE_BINARY_DIR}/desktop)
set(QUILLMARK_APP_ICON_SVG ${CMAKE_SOURCE_DIR}/src/gui/icons/quillmark.svg)
set(QUILLMARK_MIME_ICON_SVG ${QUILLMARK_LINUX_DIR}/${QUILLMARK_MIME_ICON}.svg)

find_program(QUILLMARK_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUILLMARK_SCDOC scdoc REQUIRED)
find_program(QUILLMARK_GZIP gzip REQUIRED)

# The PNG sizes of the icon theme's hicolor theme (48x48 is the one it asks
# for; the others keep menus and file managers from scaling).
set(QUILLMARK_ICON_SIZES 16 22 24 32 48 64 128 256 512)
set(QUILLMARK_DESKTOP_OUTPUTS "")
foreach(size IN LISTS QUILLMARK_ICON_SIZES)
  set(icon_dir ${QUILLMARK_DESKTOP_BUILD}/icons/hicolor/${size}x${size})
  foreach(icon IN ITEMS "apps;${QUILLMARK_APP_ID};${QUILLMARK_APP_ICON_SVG}"
                        "mimetypes;${QUILLMARK_MIME_ICON};${QUILLMARK_MIME_ICON_SVG}")
    list(GET icon 0 context)
    list(GET icon 1 name)
    list(GET icon 2 svg)
    set(png ${icon_dir}/${context}/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}/${context}
      COMMAND ${QUILLMARK_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg} VERBATIM)
    list(APPEND QUILLMARK_DESKTOP_OUTPUTS ${png})
  endforeach()
endforeach()

# Manual pages: docs/man/<page>.scd (scdoc, with the version filled in),
# compressed as Debian installs them.
file(GLOB QUILLMARK_MAN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.scd)
set(QUILLMARK_MAN_PAGES "")
foreach(source IN LISTS QUILLMARK_MAN_SOURCES)
  get_filename_component(page ${source} NAME_WLE) # quillmark-cli.1
  set(versioned ${QUILLMARK_DESKTOP_BUILD}/man/${page}.scd)
  configure_file(${source} ${versioned} @ONLY)
  set(roff ${QUILLMARK_DESKTOP_BUILD}/man/${page})
  add_custom_command(OUTPUT ${roff}.gz
    COMMAND sh -c "${QUILLMARK_SCDOC} < '${versioned}' > '${roff}'"
    COMMAND ${QUILLMARK_GZIP} -9nf ${roff}
    DEPENDS ${versioned} VERBATIM)
  list(APPEND QUILLMARK_MAN_PAGES ${roff}.gz)
endforeach()

configure_file(${QUILLMARK_LINUX_DIR}/${QUILLMARK_APP_ID}.metainfo.xml.in
               ${QUILLMARK_DESKTOP_BUILD}/${QUILLMARK_APP_ID}.metainfo.xml @ONLY)

add_custom_target(quillmark_desktop_files ALL DEPENDS ${QUILLMARK_DESKTOP_OUTPUTS} ${QUILLMARK_MAN_PAGES})

set(QUILLMARK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quillmark)
install(TARGETS quillmark quillmark-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${QUILLMARK_DATA_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/manual DESTINATION ${QUILLMARK_DATA_DIR})
# Without chmcmd at build time only the WebHelp copy of the manual is made.
install(FILES ${CMAKE_BINARY_DIR}/bin/Quillmark.chm DESTINATION ${QUILLMARK_DATA_DIR} OPTIONAL)

install(FILES ${QUILLMARK_LINUX_DIR}/${QUILLMARK_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLMARK_DESKTOP_BUILD}/${QUILLMARK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUILLMARK_LINUX_DIR}/${QUILLMARK_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QUILLMARK_APP_ID}.xml)
install(FILES ${QUILLMARK_APP_ICON_SVG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLMARK_APP_ID}.svg)
install(FILES ${QUILLMARK_MIME_ICON_SVG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
install(DIRECTORY ${QUILLMARK_DESKTOP_BUILD}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${QUILLMARK_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
