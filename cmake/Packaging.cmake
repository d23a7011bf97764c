# The Debian package: `cpack -G DEB` in a build with the game (PLAXEN_GUI=ON)
# packs what app/ installs (the game in /usr/games, its art in
# /usr/share/games/plaxen/res, the desktop entry, metainfo and icons),
# plaxen-engine when the build has it, and what is set up here: the manual
# pages, the copyright file and the changelog.
#
# Included last from the top-level CMakeLists.txt: CPack writes its
# configuration when included, so the last inclusion decides what is packed,
# and every program target exists by then.

set(CPACK_PACKAGE_NAME plaxen)
set(CPACK_PACKAGE_VENDOR "The Plaxen developers")
# The project's own (reserved, RFC 2606) domain until it has a public one:
# a well-formed address that reaches no stranger. The home page is set in
# project() and becomes the Homepage field.
set(CPACK_PACKAGE_CONTACT "Plaxen developers <developers@plaxen.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines kept under Debian's 80 columns: CPack only indents them.
set(CPACK_PACKAGE_DESCRIPTION
    "Checkers (draughts) on an 8 x 8 board, drawn in 3D, for one player against
the computer at three levels or two players sharing one mouse. The rules are
enforced: compulsory captures, multi-jumps and crowning. Moves can be taken
back and played again, and games are saved and loaded in PDN, the notation
other checkers programs use.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) turns the libraries the binary links into
# Depends; the renderer itself is found at run time, so Mesa is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")

include(CPack)
include(GNUInstallDirs)

set(PLAXEN_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/plaxen) # the package's name, not the project's
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_out})

# Manual pages in section 6, from scdoc sources in docs/man, gzipped without
# a name or time stamp as Debian wants them.
if(TARGET plaxen OR TARGET plaxen-engine)
    find_program(PLAXEN_SCDOC scdoc REQUIRED)
endif()
foreach(program plaxen plaxen-engine)
    if(NOT TARGET ${program})
        continue()
    endif()
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${program}.6.scd)
    set(page ${packaging_out}/${program}.6)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND sh -c "\"$0\" < \"$1\" > \"$2\"" ${PLAXEN_SCDOC} ${source} ${page}
        COMMAND gzip -9nf ${page}
        DEPENDS ${source}
        COMMENT "Manual page ${program}(6)"
        VERBATIM)
    add_custom_target(${program}-manpage ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()

# The copyright file in Debian's machine-readable form, carrying the terms of
# LICENSE from "Permission" on as continuation lines: each indented by one
# space, a blank line written " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission" terms_start)
string(SUBSTRING "${licence}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " PLAXEN_LICENSE_TEXT " ${terms}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${packaging_out}/copyright @ONLY)
install(FILES ${packaging_out}/copyright DESTINATION ${PLAXEN_DOC_DIR})

# The changelog, in Debian's format; its newest entry names this version.
set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${packaging_out}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${changelog} ${packaging_out}/changelog
    COMMAND gzip -9nf ${packaging_out}/changelog
    DEPENDS ${changelog}
    VERBATIM)
add_custom_target(plaxen-changelog ALL DEPENDS ${packaging_out}/changelog.gz)
install(FILES ${packaging_out}/changelog.gz DESTINATION ${PLAXEN_DOC_DIR})
