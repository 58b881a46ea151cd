# Installation and the Debian package: `cmake --install` puts the programs,
# desktop entries, icon, AppStream file, udev rule, manual pages and
# documentation in place; `cpack -G DEB` in a release build makes the
# package from the same install rules.
include(GNUInstallDirs)

set(VANTREL_HOMEPAGE_URL "https://vantrel.example.org/config"
  CACHE STRING "The project's home page, for the package and the AppStream file")
set(VANTREL_SCREENSHOT_URL "${VANTREL_HOMEPAGE_URL}/screenshot.png"
  CACHE STRING "Where software centres fetch the main window's picture")
set(VANTREL_MAINTAINER "VANTREL configuration utility developers <maintainers@vantrel.example.org>"
  CACHE STRING "Maintainer named in the Debian package")

add_subdirectory(packaging)

set(CPACK_PACKAGE_NAME vantrel-config)
set(CPACK_PACKAGE_VENDOR "The VANTREL configuration utility developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANTREL_HOMEPAGE_URL}")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; CPack
# indents these lines and marks the empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Desktop program for the VANTREL USB keyboard encoder of arcade cabinets:
assign every one of its 108 inputs a key, mouse button, joystick action or
macro, set the rotary switch, trackball, spinner and joystick options, keep
configurations in files and write them into the device over USB.

Includes a demo on an emulated device, the command-line tool vantrelctl
(readable JSON export and import, diff, scripted read and write) and a udev
rule that lets the user at the desktop reach the device.")
# The libraries the programs link are found by dpkg-shlibdeps. Qt's platform
# plugins are loaded at run time, so no linker record names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)

# Everything the package holds, so that a package can be made without
# building the tests and benchmarks as well.
add_custom_target(vantrel_package_contents)
foreach(target vantrel-config vantrel-config-emulated vantrelctl
               vantrel_udev_rule_file vantrel_icons vantrel_manual)
  if(TARGET ${target})
    add_dependencies(vantrel_package_contents ${target})
  endif()
endforeach()
