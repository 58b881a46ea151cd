# Windows programs built on Debian with MinGW-w64 and run under Wine
# (wine64), so that the Windows side can be built and tested without a
# Windows machine. Used by the windows-core and windows presets.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# Debian keeps the 64-bit Wine loader out of PATH.
find_program(VANTREL_WINE NAMES wine64 wine PATHS /usr/lib/wine)

# The windows preset finds Qt and hidapi, built by scripts/windows-deps, in
# these prefixes; the target's own libraries stay where they are.
set(VANTREL_WINDOWS_DEPS "" CACHE PATH "Prefixes of Qt and hidapi built for Windows (scripts/windows-deps)")
if(VANTREL_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VANTREL_WINDOWS_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${VANTREL_WINDOWS_DEPS})
  # Qt's DLLs come with MinGW's runtime as DLLs, and the programs share it
  # with them. The folders that hold the DLLs the programs need, for Wine
  # and for scripts/windows-package.
  set(vantrel_dll_dirs)
  foreach(vantrel_prefix IN LISTS VANTREL_WINDOWS_DEPS)
    list(APPEND vantrel_dll_dirs ${vantrel_prefix}/bin)
  endforeach()
  foreach(vantrel_runtime libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${vantrel_runtime}
      OUTPUT_VARIABLE vantrel_runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    cmake_path(GET vantrel_runtime_path PARENT_PATH vantrel_runtime_dir)
    cmake_path(NORMAL_PATH vantrel_runtime_dir)
    list(APPEND vantrel_dll_dirs ${vantrel_runtime_dir})
  endforeach()
  list(REMOVE_DUPLICATES vantrel_dll_dirs)
  list(JOIN vantrel_dll_dirs ":" vantrel_dll_path)
  set(VANTREL_WINDOWS_DLL_DIRS ${vantrel_dll_path} CACHE INTERNAL
    "Folders of the DLLs the Windows programs need, for scripts/windows-package")
  if(VANTREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_CURRENT_LIST_DIR}/wine-with-dlls ${VANTREL_WINE} ${VANTREL_WINDOWS_DLL_DIRS})
  endif()
else()
  # Without Qt's DLLs to share MinGW's runtime with, static: the programs
  # run without MinGW's DLLs beside them.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
  if(VANTREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
  endif()
endif()
