# The Debian package, built by `cpack -G DEB` from the install rules, so the package
# holds exactly what `cmake --install` puts under /usr. dpkg-shlibdeps computes Depends
# from the installed program; what it loads at run time is named below.

set(KESTROVA_DEB_MAINTAINER "Kestrova Saver developers <kestrova-saver@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(KESTROVA_DOC_FOLDER ${CMAKE_INSTALL_DATADIR}/doc/kestrova-saver)

# The package built on Debian 12 installs on Debian 12 and 13 alike; one built on a newer
# release needs its newer libc6, libstdc++6 and Qt, so its version names that release.
set(KESTROVA_DEB_VERSION ${PROJECT_VERSION})
if(EXISTS /etc/os-release)
  file(STRINGS /etc/os-release os_id REGEX "^ID=debian$")
  file(STRINGS /etc/os-release os_version REGEX "^VERSION_ID=\"[0-9]+\"$")
  string(REGEX REPLACE "[^0-9]" "" os_version "${os_version}")
  if(os_id AND os_version GREATER 12)
    string(APPEND KESTROVA_DEB_VERSION "~deb${os_version}")
  endif()
endif()

# Debian wants the manual page and the changelog compressed, without a timestamp.
set(packaging ${CMAKE_CURRENT_BINARY_DIR}/packaging)
configure_file(packaging/changelog.in ${packaging}/changelog @ONLY)
foreach(pair "${CMAKE_CURRENT_SOURCE_DIR}/packaging/kestrova-saver.1|kestrova-saver.1.gz"
             "${packaging}/changelog|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${packaging}/${target}
                     COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${packaging}/${target}
                     DEPENDS ${source} VERBATIM)
  list(APPEND KESTROVA_COMPRESSED ${packaging}/${target})
endforeach()
add_custom_target(kestrova_compressed_docs ALL DEPENDS ${KESTROVA_COMPRESSED})

install(FILES ${packaging}/kestrova-saver.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${packaging}/changelog.gz DESTINATION ${KESTROVA_DOC_FOLDER})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrova-saver)
set(CPACK_PACKAGE_VERSION ${KESTROVA_DEB_VERSION})
set(CPACK_PACKAGE_CONTACT "${KESTROVA_DEB_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 platform plugin at run time, and the program loads SDL2 and SDL2_mixer
# when music first plays, so dpkg-shlibdeps sees none of them. The versions are the
# lowest the symbols files give for the calls the music makes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-mixer-2.0-0 (>= 2.0.4), libsdl2-2.0-0 (>= 2.0.12)")
# MIDI music needs a soundfont; the dialogs are in Japanese, Qt's own texts in them too.
# The dialogs in a Wayland session without an X server need Qt's Wayland plugin; the show
# itself is a Wayland client of its own, and with Xwayland the dialogs use the X11 plugin.
# GNOME's wallpapers, the show's background where GNOME gives no picture of the desktop,
# are SVG and WebP pictures, which Qt reads through these plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont, fonts-noto-cjk, qt6-translations-l10n, qt6-wayland, libqt6svg6, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver with aerobatic jets trailing smoke")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A team of aerobatic jets flies scripted figures across the screen, alone or
in formation, each trailing white smoke that thins with age, over a snapshot
of the desktop, a picture or a plain colour. Six aircraft kinds are drawn in
2D; two more show a textured 3D formation. A music file can play during the
show. The options dialog is in Japanese.

The show runs on X11 and on Wayland desktops, on every monitor. It runs
under XScreenSaver (its options appear in the settings dialog), xsecurelock,
an idle hook such as xss-lock or swayidle, or by itself: its own idle
watcher (kestrova-saver --idle) starts the show when the desktop reports the
session idle, GNOME included.")
include(CPack)
