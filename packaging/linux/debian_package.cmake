# The Debian package: `cpack -G DEB` in a build of the window (scripts/package-linux does it) makes
# fragtide_VERSION_amd64.deb from the install rules: both programs, the help, the desktop entry and
# icon (ui/CMakeLists.txt), and here the manual pages, the bash completion, the copyright file and
# the changelog. The manual pages are written from docs/cli.md and the completion from
# fragtide-report --help on every build, so neither can fall behind what it describes.
include(GNUInstallDirs)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(FRAGTIDE_GZIP gzip REQUIRED)

set(fragtide_pkg ${PROJECT_BINARY_DIR}/packaging)
set(fragtide_pkg_src ${CMAKE_CURRENT_LIST_DIR})

# The changelog's newest entry names the version being packaged; a release that forgets it fails
# here rather than shipping a changelog that tells of another version.
file(STRINGS ${fragtide_pkg_src}/changelog fragtide_changelog_head LIMIT_COUNT 1)
if(NOT fragtide_changelog_head MATCHES "^fragtide \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/linux/changelog: its first entry is not for ${PROJECT_VERSION}; "
                        "add one for this version")
endif()

# -n: no name or time stamp in the gzip header, so the same files give the same package.
add_custom_command(
    OUTPUT ${fragtide_pkg}/fragtide-report.1.gz ${fragtide_pkg}/fragtide.1.gz
    COMMAND Python3::Interpreter ${fragtide_pkg_src}/cli_man.py ${PROJECT_SOURCE_DIR}/docs/cli.md
            ${PROJECT_VERSION} ${fragtide_pkg}
    COMMAND ${FRAGTIDE_GZIP} -9nf ${fragtide_pkg}/fragtide-report.1 ${fragtide_pkg}/fragtide.1
    DEPENDS ${fragtide_pkg_src}/cli_man.py ${PROJECT_SOURCE_DIR}/docs/cli.md
    COMMENT "Writing the manual pages from docs/cli.md")
add_custom_command(
    OUTPUT ${fragtide_pkg}/fragtide-report.bash
    COMMAND Python3::Interpreter ${fragtide_pkg_src}/cli_completion.py $<TARGET_FILE:fragtide-report>
            ${fragtide_pkg}/fragtide-report.bash
    DEPENDS ${fragtide_pkg_src}/cli_completion.py fragtide-report
    COMMENT "Writing the bash completion from fragtide-report --help")
add_custom_command(
    OUTPUT ${fragtide_pkg}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${fragtide_pkg_src}/changelog ${fragtide_pkg}/changelog
    COMMAND ${FRAGTIDE_GZIP} -9nf ${fragtide_pkg}/changelog
    DEPENDS ${fragtide_pkg_src}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(fragtide_package_files ALL DEPENDS
    ${fragtide_pkg}/fragtide-report.1.gz ${fragtide_pkg}/fragtide.1.gz
    ${fragtide_pkg}/fragtide-report.bash ${fragtide_pkg}/changelog.gz)

install(FILES ${fragtide_pkg}/fragtide-report.1.gz ${fragtide_pkg}/fragtide.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${fragtide_pkg}/fragtide-report.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME fragtide-report)
install(FILES ${fragtide_pkg_src}/copyright ${fragtide_pkg}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fragtide)

set(FRAGTIDE_PACKAGE_MAINTAINER "Fragtide developers <fragtide@fragtide.example>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fragtide)
set(CPACK_PACKAGE_VENDOR "The Fragtide developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "frag statistics from first-person shooter game logs")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fragtide reads the log files of first-person shooter games and turns their
kill messages into frag statistics: kills per weapon, every player's frags
and share of the match, one player's frags per weapon, rivals, and the
player of the match. It reads Quake, Quake II and Half-Life logs of any
size.
.
The package holds the window (fragtide) and the command line
(fragtide-report), which prints the reports, JSON, or an HTML or CSV export.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FRAGTIDE_PACKAGE_MAINTAINER})
# utils, not games: Debian keeps games for packages that hold a game.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the machine that makes the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
