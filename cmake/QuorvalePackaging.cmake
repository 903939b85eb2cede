# SPDX-License-Identifier: GPL-3.0-or-later
# Installation rules and the Debian package.
#
#   cmake --install BUILD [--prefix DIR]     executables in bin/, data in share/quorvale/
#   cd BUILD && cpack -G DEB                 quorvale_<version>_<arch>.deb (from a Release build)
#
# The installed executables find their data at ../share/quorvale relative to
# themselves (src/site/InstallLayout); build/app/ stays the portable layout.
include(GNUInstallDirs)

set(QUORVALE_APP_ID org.quorvale.quorvale)
# The date of release PROJECT_VERSION: change it together with the version.
set(QUORVALE_RELEASE_DATE 2026-12-06)
set(QUORVALE_MAINTAINER "The Quorvale maintainers <maintainers@users.noreply.c-seed-cf540c92.example>")
# No address is better than a made-up one: the package and the metainfo name a
# home page (and its screenshots) only when one is given.
set(QUORVALE_HOMEPAGE "" CACHE STRING
    "Home page of the project, if it has one; the AppStream screenshots are then <home page>/docs/*.png")

file(RELATIVE_PATH quorvale_data_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/quorvale)
if(NOT quorvale_data_from_bin STREQUAL "../share/quorvale")
    message(FATAL_ERROR "The executables look for their data in ../share/quorvale, but CMAKE_INSTALL_BINDIR and "
        "CMAKE_INSTALL_DATADIR put it at ${quorvale_data_from_bin}")
endif()

# The Debian changelog wants the release date in RFC 2822 form, weekday included (Zeller's congruence).
string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" quorvale_date_ok "${QUORVALE_RELEASE_DATE}")
if(NOT quorvale_date_ok)
    message(FATAL_ERROR "QUORVALE_RELEASE_DATE must be YYYY-MM-DD, not ${QUORVALE_RELEASE_DATE}")
endif()
math(EXPR quorvale_year "${CMAKE_MATCH_1}")
math(EXPR quorvale_month "1${CMAKE_MATCH_2} - 100")
math(EXPR quorvale_day "1${CMAKE_MATCH_3} - 100")
set(quorvale_y ${quorvale_year})
set(quorvale_m ${quorvale_month})
if(quorvale_m LESS 3)
    math(EXPR quorvale_m "${quorvale_m} + 12")
    math(EXPR quorvale_y "${quorvale_y} - 1")
endif()
math(EXPR quorvale_weekday "(${quorvale_day} + (13 * (${quorvale_m} + 1)) / 5 + ${quorvale_y} % 100 + (${quorvale_y} % 100) / 4 + (${quorvale_y} / 100) / 4 + 5 * (${quorvale_y} / 100)) % 7")
set(quorvale_weekdays Sat Sun Mon Tue Wed Thu Fri)
list(GET quorvale_weekdays ${quorvale_weekday} quorvale_weekday_name)
math(EXPR quorvale_month_index "${quorvale_month} - 1")
set(quorvale_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET quorvale_months ${quorvale_month_index} quorvale_month_name)
set(QUORVALE_RELEASE_DATE_RFC2822
    "${quorvale_weekday_name}, ${CMAKE_MATCH_3} ${quorvale_month_name} ${quorvale_year} 00:00:00 +0000")

set(QUORVALE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(QUORVALE_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${QUORVALE_PACKAGING_OUT})

# The number of synonym rules the package speaks of is the shipped file's own:
# its rule lines start with a group (quorvale-cli check-rules finds none it cannot use).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/rwdb.txt)
file(STRINGS ${CMAKE_SOURCE_DIR}/data/rwdb.txt quorvale_rule_lines REGEX "^{")
list(LENGTH quorvale_rule_lines quorvale_rule_count)
set(QUORVALE_RULE_COUNT "${quorvale_rule_count}")
while(QUORVALE_RULE_COUNT MATCHES "^([0-9]+)([0-9][0-9][0-9])(,.*)?$")
    set(QUORVALE_RULE_COUNT "${CMAKE_MATCH_1},${CMAKE_MATCH_2}${CMAKE_MATCH_3}")
endwhile()

set(QUORVALE_METAINFO_HOMEPAGE "")
if(QUORVALE_HOMEPAGE)
    set(quorvale_shots
        "main-window-demo-data.png|1021|628|The main window with the sample data"
        "site-design1-desktop.png|1280|800|A site built in the first design"
        "site-design2-desktop.png|1280|800|A site built in the second design"
        "tornelle-window.png|825|577|The Tornelle window after a rewrite, the menu of a changed word open")
    set(QUORVALE_METAINFO_HOMEPAGE "  <url type=\"homepage\">${QUORVALE_HOMEPAGE}</url>\n  <screenshots>\n")
    set(quorvale_default " type=\"default\"")
    foreach(shot IN LISTS quorvale_shots)
        string(REPLACE "|" ";" shot "${shot}")
        list(GET shot 0 file)
        list(GET shot 1 width)
        list(GET shot 2 height)
        list(GET shot 3 caption)
        string(APPEND QUORVALE_METAINFO_HOMEPAGE
            "    <screenshot${quorvale_default}>\n      <caption>${caption}</caption>\n"
            "      <image type=\"source\" width=\"${width}\" height=\"${height}\">"
            "${QUORVALE_HOMEPAGE}/docs/${file}</image>\n    </screenshot>\n")
        set(quorvale_default "")
    endforeach()
    string(APPEND QUORVALE_METAINFO_HOMEPAGE "  </screenshots>")
endif()

configure_file(${QUORVALE_PACKAGING_DIR}/${QUORVALE_APP_ID}.metainfo.xml.in
    ${QUORVALE_PACKAGING_OUT}/${QUORVALE_APP_ID}.metainfo.xml @ONLY)
configure_file(${QUORVALE_PACKAGING_DIR}/man/quorvale.1.in ${QUORVALE_PACKAGING_OUT}/quorvale.1 @ONLY)
configure_file(${QUORVALE_PACKAGING_DIR}/man/quorvale-cli.1.in ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1.in @ONLY)
configure_file(${QUORVALE_PACKAGING_DIR}/changelog.in ${QUORVALE_PACKAGING_OUT}/changelog @ONLY)

# quorvale-cli(1) is written from the tool's help texts once the tool is built;
# manual pages and the changelog ship compressed, without time stamps (gzip -n).
find_program(QUORVALE_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
        ${QUORVALE_PACKAGING_DIR}/man/make-cli-manpage.sh $<TARGET_FILE:quorvale-cli>
        ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1.in ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1
    DEPENDS quorvale-cli ${QUORVALE_PACKAGING_DIR}/man/make-cli-manpage.sh ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1.in
    COMMENT "Writing the quorvale-cli manual page from its help texts" VERBATIM)
set(quorvale_compressed)
foreach(file quorvale.1 quorvale-cli.1 changelog)
    add_custom_command(OUTPUT ${QUORVALE_PACKAGING_OUT}/${file}.gz
        COMMAND ${QUORVALE_GZIP} -9 -n -c ${QUORVALE_PACKAGING_OUT}/${file} > ${QUORVALE_PACKAGING_OUT}/${file}.gz
        DEPENDS ${QUORVALE_PACKAGING_OUT}/${file} VERBATIM)
    list(APPEND quorvale_compressed ${QUORVALE_PACKAGING_OUT}/${file}.gz)
endforeach()
add_custom_target(quorvale_packaging_files ALL DEPENDS ${quorvale_compressed})

# Full RELRO, as Debian's hardening asks.
foreach(target quorvale quorvale-cli)
    if(TARGET ${target})
        target_link_options(${target} PRIVATE LINKER:-z,relro,-z,now)
    endif()
endforeach()

install(TARGETS quorvale-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quorvale)
    install(TARGETS quorvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvale)
install(FILES ${QUORVALE_PACKAGING_DIR}/${QUORVALE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVALE_PACKAGING_DIR}/${QUORVALE_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${QUORVALE_APP_ID}.xml)
install(FILES ${QUORVALE_PACKAGING_OUT}/${QUORVALE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${QUORVALE_PACKAGING_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${QUORVALE_PACKAGING_DIR}/icons/${QUORVALE_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${QUORVALE_PACKAGING_OUT}/quorvale.1.gz ${QUORVALE_PACKAGING_OUT}/quorvale-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QUORVALE_PACKAGING_DIR}/completion/quorvale-cli
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${QUORVALE_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME quorvale)
install(FILES ${QUORVALE_PACKAGING_DIR}/copyright ${QUORVALE_PACKAGING_OUT}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvale)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvale)
set(CPACK_PACKAGE_VENDOR "The Quorvale maintainers")
set(CPACK_PACKAGE_CONTACT "${QUORVALE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mini web site builder and article rewriter")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvale builds a small web site from five plain-text articles, a background
picture and one of two template designs: an index page with the main article
and four article pages that link to each other, in plain HTML and CSS.
It also rewrites articles with synonym rules (${QUORVALE_RULE_COUNT} are included), and
comes with quorvale-cli, a command-line tool for the same jobs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(QUORVALE_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORVALE_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Backgrounds in WebP are read by a Qt plugin, which no library dependency names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
