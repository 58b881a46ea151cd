# Windows programs built on Debian with MinGW-w64 and run under Wine
# (wine64), so that the Windows side can be built and tested without a
# Windows machine. Used by the windows-core and windows presets.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# The windows preset finds Qt and hidapi, built by scripts/windows-deps, in
# these folders; the target's own libraries stay where they are.
set(VANTREL_WINDOWS_DEPS "" CACHE PATH "Prefixes of Qt and hidapi built for Windows (scripts/windows-deps)")
if(VANTREL_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VANTREL_WINDOWS_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${VANTREL_WINDOWS_DEPS})
else()
  # Without Qt's DLLs to share MinGW's runtime with, static: the programs
  # run without MinGW's DLLs beside them.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Debian keeps the 64-bit Wine loader out of PATH.
find_program(VANTREL_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VANTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
endif()
