# Every library of ours has the same shape: a target named after its folder
# with a vantrel:: alias, headers included by their path from the source
# root ("model/DeviceImage.h"), the shared options kept private.
#
#   vantrel_add_library(<name> [QT] [INTERFACE] [SOURCES file...]
#                       [PUBLIC target...] [PRIVATE target...])
#
# makes vantrel_<name> and vantrel::<name>. QT runs Qt's moc on the sources;
# INTERFACE makes a header-only target (its links are all public).

# The one include root, and the folder of the generated build facts.
add_library(vantrel_include_root INTERFACE)
target_include_directories(vantrel_include_root INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})

function(vantrel_add_library name)
  cmake_parse_arguments(ARG "QT;INTERFACE" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(target vantrel_${name})
  if(ARG_INTERFACE)
    add_library(${target} INTERFACE ${ARG_SOURCES})
    target_link_libraries(${target} INTERFACE vantrel_include_root ${ARG_PUBLIC})
  else()
    add_library(${target} ${ARG_SOURCES})
    target_link_libraries(${target}
      PUBLIC vantrel_include_root ${ARG_PUBLIC}
      PRIVATE ${ARG_PRIVATE} vantrel::options)
  endif()
  add_library(vantrel::${name} ALIAS ${target})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# A part that needs an optional backend (hidapi, libevdev): with the backend
# configured, `target` gets SOURCE and links LINK; without it, FALLBACK, the
# same functions saying that the part is not in this build.
#
#   vantrel_add_optional_part(<target> BACKEND <backend target> SOURCE file
#                             FALLBACK file [LINK target...])
function(vantrel_add_optional_part target)
  cmake_parse_arguments(ARG "" "BACKEND;SOURCE;FALLBACK" "LINK" ${ARGN})
  if(TARGET ${ARG_BACKEND})
    target_sources(${target} PRIVATE ${ARG_SOURCE})
    target_link_libraries(${target} PRIVATE ${ARG_LINK})
  else()
    target_sources(${target} PRIVATE ${ARG_FALLBACK})
  endif()
endfunction()
