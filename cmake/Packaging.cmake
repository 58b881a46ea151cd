# Installation: `cmake --install` puts the programs, desktop entries, icon,
# AppStream file, MIME type, udev rule, manual pages, shell completion and
# documentation in place. The Debian packages take them from there, each file
# listed in debian/vantrelctl.install (the command-line tool and the udev
# rule, without any graphical library, for machines without a desktop) or
# debian/vantrel-config.install (the window programs and what desktops need);
# a file installed here and listed in neither fails the package build.
include(GNUInstallDirs)

set(VANTREL_HOMEPAGE_URL "https://vantrel.example.org/config"
  CACHE STRING "The project's home page, for the AppStream file")
set(VANTREL_SCREENSHOT_URL "${VANTREL_HOMEPAGE_URL}/screenshot.png"
  CACHE STRING "Where software centres fetch the main window's picture")

set(VANTREL_DESKTOP_PACKAGE vantrel-config)

add_subdirectory(packaging)