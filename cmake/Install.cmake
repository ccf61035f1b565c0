# Installing Tallyo as a desktop program (`cmake --install`) and its Debian
# package (`cpack`, `make package`). The files the desktop reads are kept in
# packaging/; the manual page in doc/.
include(GNUInstallDirs)

set(TALLYO_APP_ID io.github.tallyo.Tallyo)
set(TALLYO_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tallyo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Every library symbol bound at start-up, so that its table can be made
# read-only (Debian's hardening of programs it ships).
target_link_options(tallyo PRIVATE LINKER:-z,relro LINKER:-z,now)
# F1 looks for the manual in <prefix>/share/tallyo, beside <prefix>/bin.
install(FILES ${CMAKE_BINARY_DIR}/Tallyo.PDF DESTINATION ${CMAKE_INSTALL_DATADIR}/tallyo)

# The menu entry, the software centre's description, and the statement
# file types the menu entry opens.
install(FILES ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TALLYO_APP_ID}.xml)

# The icon: the drawing itself, and the bitmap sizes desktops without SVG
# support pick from, rendered from it at build time.
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.svg DESTINATION ${icons}/scalable/apps)
find_program(TALLYO_RSVG_CONVERT rsvg-convert)
if(TALLYO_RSVG_CONVERT)
  set(pngs)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${TALLYO_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${TALLYO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.svg
      DEPENDS ${TALLYO_PACKAGING}/${TALLYO_APP_ID}.svg
      VERBATIM)
    list(APPEND pngs ${png})
    install(FILES ${png} DESTINATION ${icons}/${size}x${size}/apps)
  endforeach()
  add_custom_target(icons ALL DEPENDS ${pngs})
else()
  message(WARNING "rsvg-convert (Debian package librsvg2-bin) is missing: only the SVG icon is installed")
endif()

# The manual page and the Debian package's own documents, compressed as
# Debian keeps them (gzip -9, no name or time stamp inside, so that builds
# of the same sources give the same bytes).
function(tallyo_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()
tallyo_gzip(${PROJECT_SOURCE_DIR}/doc/tallyo.1 ${CMAKE_BINARY_DIR}/tallyo.1.gz)
tallyo_gzip(${TALLYO_PACKAGING}/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(packagedocs ALL DEPENDS ${CMAKE_BINARY_DIR}/tallyo.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/tallyo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${TALLYO_PACKAGING}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallyo)
install(FILES ${TALLYO_PACKAGING}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tallyo)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tallyo developers")
set(CPACK_PACKAGE_CONTACT "The Tallyo developers <support@tallyo.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tallyo.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checkbook register for the desktop")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tallyo keeps personal checking, savings and credit-card accounts the way a
paper checkbook register does: an account index with balances, a register
per account with a running balance, reconciling against a bank statement,
searching, find and replace, printed lists, a text summary to print or mail,
graphs, and checks printed on pre-printed paper with the amount in words.

Its command-line commands export accounts, registers and summaries as CSV or
text, print lists and checks, and back up and restore the data files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the program links give the dependencies. Qt's window
# system plugins are loaded at run time, so no library names them: without
# them the program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# F1 opens the PDF manual through xdg-open, the calculator button starts the
# first of these calculators found, printing goes through CUPS, and the
# printouts are laid out in Arial's measures (Liberation Sans has them).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, evince | pdf-viewer, gnome-calculator | kcalc | galculator | mate-calc | qalculate-gtk | x11-apps, cups, fonts-liberation2")
include(CPack)
