# Facts about the build that code, packaging and tests share, each set once
# here and handed to C++ through one generated header (generated/BuildConfig.h).

# The encoder's USB product ID, as four upper-case hexadecimal digits: the
# backend opens it, the udev rule matches it, and the AppStream files name it
# in their modalias, so that a software centre knows the device's programs.
set(VANTREL_PRODUCT_ID 0108)

set(VANTREL_VENDOR_ID 0 CACHE STRING "USB vendor ID the USB backend matches; 0 matches any vendor")
if(NOT VANTREL_VENDOR_ID MATCHES "^(0[xX][0-9A-Fa-f]+|[0-9]+)$")
  message(FATAL_ERROR "VANTREL_VENDOR_ID must be a decimal or 0x-prefixed hexadecimal number, not '${VANTREL_VENDOR_ID}'")
endif()

# udev runs rule files in the order of their names; the uaccess tag only
# takes effect when it is set before the seat rules (73-seat-late.rules).
set(VANTREL_UDEV_RULE_NAME 60-vantrel.rules)
# Where the package installs the rule (relative to the prefix, so that a
# package for /usr puts it where udev reads it), and where an administrator
# puts one by hand.
set(VANTREL_UDEV_RULE_INSTALL_DIR lib/udev/rules.d)
set(VANTREL_PACKAGED_UDEV_RULE /usr/${VANTREL_UDEV_RULE_INSTALL_DIR}/${VANTREL_UDEV_RULE_NAME})
set(VANTREL_LOCAL_UDEV_RULE /etc/udev/rules.d/${VANTREL_UDEV_RULE_NAME})
# Besides the user at the desktop, the rule gives the hidraw node to this
# group, which Debian's base system has and other device tools use, so that a
# user over ssh or a service can be let in by membership alone.
set(VANTREL_DEVICE_GROUP plugdev)

# The command-line tool's package, and the manual page (section 5) that
# describes the JSON form, which the tool's help points to.
set(VANTREL_TOOL_PACKAGE vantrelctl)
set(VANTREL_FORMAT_MANUAL vantrel-json)

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in ${PROJECT_BINARY_DIR}/generated/BuildConfig.h @ONLY)
