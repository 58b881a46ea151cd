# Settings shared by every target of ours, passed on through interface targets
# rather than directory-wide flags, so that third-party code keeps its own.

add_library(vantrel_options INTERFACE)
add_library(vantrel::options ALIAS vantrel_options)
target_compile_features(vantrel_options INTERFACE cxx_std_20)

if(MSVC)
  target_compile_options(vantrel_options INTERFACE /W4 /WX /permissive-)
else()
  target_compile_options(vantrel_options INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports std::string concatenation at -O3 as overlapping memcpy
    # (a known false positive in its own headers), so the check is off there.
    target_compile_options(vantrel_options INTERFACE -Wno-restrict)
  endif()
endif()

set(CMAKE_CXX_EXTENSIONS OFF)

option(VANTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VANTREL_SANITIZE)
  if(MSVC)
    message(FATAL_ERROR "VANTREL_SANITIZE is for GCC and Clang")
  endif()
  # Applied globally so that test frameworks and our code agree on the runtime.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VANTREL_FUZZ)
  # Everything is instrumented for coverage and the sanitizers; only the
  # fuzz targets link libFuzzer's main (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
