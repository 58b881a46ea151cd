# Installation and the Debian packages: `cmake --install` puts the programs,
# desktop entries, icon, AppStream file, udev rule, manual pages, shell
# completion and documentation in place; `cpack -G DEB` in a release build
# makes two packages from the same install rules, one per install component:
#   tool     -> vantrelctl: the command-line tool and the udev rule, without
#               any graphical library, for machines without a desktop;
#   desktop  -> vantrel-config: the window programs and what desktops need.
include(GNUInstallDirs)

set(VANTREL_HOMEPAGE_URL "https://vantrel.example.org/config"
  CACHE STRING "The project's home page, for the package and the AppStream file")
set(VANTREL_SCREENSHOT_URL "${VANTREL_HOMEPAGE_URL}/screenshot.png"
  CACHE STRING "Where software centres fetch the main window's picture")
set(VANTREL_MAINTAINER "VANTREL configuration utility developers <maintainers@vantrel.example.org>"
  CACHE STRING "Maintainer named in the Debian package")

set(VANTREL_DESKTOP_PACKAGE vantrel-config)

add_subdirectory(packaging)

set(CPACK_PACKAGE_NAME vantrel-config)
set(CPACK_PACKAGE_VENDOR "The VANTREL configuration utility developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tool desktop)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANTREL_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The libraries each package's programs link are found by dpkg-shlibdeps,
# package by package, so the tool's package names no Qt library.
set(CPACK_DEBIAN_TOOL_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SHLIBDEPS ON)
# The window programs rely on the tool's package for the udev rule; an older
# or newer rule could name another device, hence the same version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DESKTOP_DEPENDS tool)

# The first line of each description is the package's summary; CPack
# indents the rest and marks the empty line as a paragraph break.
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME ${VANTREL_TOOL_PACKAGE})
set(CPACK_DEBIAN_TOOL_DESCRIPTION "command-line tool for the VANTREL USB keyboard encoder
The VANTREL is a USB keyboard encoder for arcade cabinets with 108 inputs.
vantrelctl shows, checks and compares its configurations, converts them to
and from a readable JSON form, prints a control card, and reads and writes
the device, from scripts and on machines without a desktop.

The package also holds the udev rule that lets the user at the desktop
reach the device, and shell completion for bash, zsh and fish.")
set(CPACK_DEBIAN_TOOL_PACKAGE_RECOMMENDS "udev")
set(CPACK_DEBIAN_TOOL_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/postrm)

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME ${VANTREL_DESKTOP_PACKAGE})
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION "configuration program for the VANTREL USB keyboard encoder
The VANTREL is a USB keyboard encoder for arcade cabinets. This program
assigns every one of its 108 inputs a key, mouse button, joystick action or
macro, sets the rotary switch, trackball, spinner and joystick options,
keeps configurations in files and writes them into the device over USB.

Includes a demo on an emulated device, to try the program without the
hardware.")
# Qt's platform plugins are loaded at run time, so no linker record names
# them and dpkg-shlibdeps cannot find them.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)

# Everything the packages hold, so that they can be made without building
# the tests and benchmarks as well.
add_custom_target(vantrel_package_contents)
foreach(target vantrel-config vantrel-config-emulated vantrel-monitor vantrelctl
               vantrel_udev_rule_file vantrel_icons vantrel_manuals
               vantrel_changelogs vantrel_completions)
  if(TARGET ${target})
    add_dependencies(vantrel_package_contents ${target})
  endif()
endforeach()
