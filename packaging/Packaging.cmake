# `make package`: the installed layout as a Debian package, built by CPack from the
# optimised build folder. The library dependencies are read from the program
# (dpkg-shlibdeps); the tools it starts are named here.

# Debian's own files: the package's copyright, and its changelog (a native package's, as the
# project packages itself) only in the package.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvex)
set(tarvex_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${tarvex_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${tarvex_changelog}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(tarvex_debian_changelog ALL DEPENDS ${tarvex_changelog})
install(FILES ${tarvex_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvex
    COMPONENT debian EXCLUDE_FROM_ALL)

# What the install takes from the build folder, built without the tests (make install and
# make package build this target; the install itself builds nothing).
add_custom_target(installable DEPENDS tarvex tarvex-keyreader tarvex_data tarvex_manpage
    tarvex_keyreader_manpage tarvex_debian_changelog)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR "The Tarvex developers")
set(CPACK_PACKAGE_CONTACT "The Tarvex developers <maintainers@tarvex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "hotkey manager: open files, programs and web pages with key sequences")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvex binds key sequences, recorded in the order the keys are pressed,
to a file, program, folder or web address to open, or to an action on the
window in front (hide, close, minimize, maximize) or on the computer (log off,
shut down, restart). While the hotkeys run it waits in the notification area
and works in every application, on X11 and on Wayland desktops. On Wayland a
small system service, the key reader, passes the keys to Tarvex once the user
has allowed it, and only while that user's session is the active one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# One package holding the program and Debian's files.
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARVEX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens the targets that are not programs and the help document; libcanberra plays the
# sounds and is opened at the first one, so shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, libcanberra0")
# The key reader asks the user through polkit, which must find the reader's own user (a
# systemd dynamic user) by name; setfacl takes back the keyboard access of the rule that
# versions before 1.1.0 installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "polkitd, libnss-systemd, acl")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/prerm
    ${CMAKE_CURRENT_LIST_DIR}/postrm)
include(CPack)
