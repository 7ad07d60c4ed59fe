# What the program installs: the one list that `cmake --install`, the Debian
# package (debian/rules) and the install test (tests/install) all take.
#
#   bin/dorvana, bin/dorvana-cli         the programs
#   share/dorvana/                       sample templates and prototypes; an
#                                        installed dorvana copies them into the
#                                        user's workspace on its first start
#   share/man/man1/                      dorvana(1), dorvana-cli(1), in Czech
#   share/help/cs/dorvana/               the user's guide (Markdown) and its pictures
#   share/applications, icons, metainfo, mime   the place on the desktop
install(TARGETS dorvana dorvana-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

file(GLOB _dorvana_samples CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/samples/templates/*")
install(FILES ${_dorvana_samples} DESTINATION "${DORVANA_SHARE_DIR}")

install(FILES "${PROJECT_SOURCE_DIR}/man/dorvana.1" "${PROJECT_SOURCE_DIR}/man/dorvana-cli.1"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(DORVANA_APP_ID cz.zavrilo.dorvana)
install(FILES "${PROJECT_SOURCE_DIR}/desktop/${DORVANA_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/${DORVANA_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/dorvana-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME dorvana.xml)
install(FILES "${PROJECT_SOURCE_DIR}/desktop/icons/${DORVANA_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(_size 48 128)
  install(FILES "${PROJECT_SOURCE_DIR}/desktop/icons/${DORVANA_APP_ID}-${_size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps"
          RENAME "${DORVANA_APP_ID}.png")
endforeach()

# The user's guide, which the Help menu shows, with its pictures.
install(FILES "${PROJECT_SOURCE_DIR}/docs/uzivatelska-prirucka.md" DESTINATION "${DORVANA_GUIDE_DIR}")
file(GLOB _dorvana_guide_images CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/images/*.png")
install(FILES ${_dorvana_guide_images} DESTINATION "${DORVANA_GUIDE_DIR}/images")
