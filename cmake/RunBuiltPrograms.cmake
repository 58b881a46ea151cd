# The build runs some of its own programs: the udev rule and completion
# writers, help2man on vantrelctl, the tests. A cross build can do that only
# through CMAKE_CROSSCOMPILING_EMULATOR (qemu for a Debian cross build, Wine
# for the Windows check). CMake puts the emulator in front of a program that
# is named as a command itself; vantrel_runnable_path covers the places that
# hand a program's path to something else that starts it.

if(NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR)
  set(VANTREL_CAN_RUN_BUILT_PROGRAMS TRUE)
else()
  set(VANTREL_CAN_RUN_BUILT_PROGRAMS FALSE)
endif()

# Sets result to a path that runs the program built by target: the program
# itself, or in a cross build a script named like it that runs it under the
# emulator (a program on another architecture cannot start it directly, but
# can start a script).
function(vantrel_runnable_path target result)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${result} $<TARGET_FILE:${target}> PARENT_SCOPE)
    return()
  endif()
  set(script ${PROJECT_BINARY_DIR}/emulated/${target})
  set(${result} ${script} PARENT_SCOPE)
  # One script per program, however many places ask for it.
  get_property(written GLOBAL PROPERTY VANTREL_RUNNABLE_${target})
  if(written)
    return()
  endif()
  set_property(GLOBAL PROPERTY VANTREL_RUNNABLE_${target} TRUE)
  set(command "exec")
  foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
    string(APPEND command " '${word}'")
  endforeach()
  file(GENERATE OUTPUT ${script}
    CONTENT "#!/bin/sh\n${command} '$<TARGET_FILE:${target}>' \"$@\"\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                     WORLD_READ WORLD_EXECUTE)
endfunction()
