# Settings shared by every target of ours, passed on through interface targets
# rather than directory-wide flags, so that third-party code keeps its own.

add_library(vantrel_options INTERFACE)
add_library(vantrel::options ALIAS vantrel_options)
target_compile_features(vantrel_options INTERFACE cxx_std_20)

# Warnings stop the build only where we can fix them: the presets developers
# and CI build turn this on. Users and packagers build with compilers newer
# than ours, whose new warnings must not end a build that works, so by
# default (the release preset, debian/rules) warnings are printed, not fatal.
option(VANTREL_WARNINGS_AS_ERRORS "Treat compiler warnings in our code as errors" OFF)

if(MSVC)
  target_compile_options(vantrel_options INTERFACE /W4 /permissive-)
  if(VANTREL_WARNINGS_AS_ERRORS)
    target_compile_options(vantrel_options INTERFACE /WX)
  endif()
else()
  target_compile_options(vantrel_options INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor)
  if(VANTREL_WARNINGS_AS_ERRORS)
    target_compile_options(vantrel_options INTERFACE -Werror)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports std::string concatenation at -O3 as overlapping memcpy
    # (a known false positive in its own headers), so the check is off there.
    target_compile_options(vantrel_options INTERFACE -Wno-restrict)
  endif()
endif()

set(CMAKE_CXX_EXTENSIONS OFF)

# The hardening Debian builds its own packages with: checked string and
# memory functions, stack canaries, and a relocation table made read-only
# once the program has started. Only the release preset turns it on, as
# _FORTIFY_SOURCE needs an optimised build and the debug tools do not want it.
option(VANTREL_HARDEN "Build with the hardening flags of Debian's own packages" OFF)
if(VANTREL_HARDEN AND NOT MSVC)
  target_compile_options(vantrel_options INTERFACE
    -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  if(NOT WIN32 AND NOT APPLE)
    target_link_options(vantrel_options INTERFACE LINKER:-z,relro,-z,now)
  endif()
endif()

# Sanitizers go through the options target too: every target of ours, the
# test programs included, links it, so each object is instrumented and each
# program links the sanitizers' runtime, while third-party code keeps its own
# flags.
option(VANTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if((VANTREL_SANITIZE OR VANTREL_FUZZ) AND MSVC)
  message(FATAL_ERROR "VANTREL_SANITIZE and VANTREL_FUZZ are for GCC and Clang")
endif()
if(VANTREL_SANITIZE OR VANTREL_FUZZ)
  target_compile_options(vantrel_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()
if(VANTREL_FUZZ)
  # Coverage for libFuzzer everywhere; only the fuzz targets link its main
  # (fuzz/CMakeLists.txt).
  target_compile_options(vantrel_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
