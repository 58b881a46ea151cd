# Writes the manual page of the JSON form: the written page, with what
# "vantrelctl help format" prints in place of the marker line, so that the
# page and the tool describe the form in the same words. Run as
#   cmake -DVANTRELCTL=... -DPAGE=... -DOUTPUT=... -P FormatManual.cmake
execute_process(COMMAND ${VANTRELCTL} help format
  OUTPUT_VARIABLE text RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vantrelctl help format failed: ${result}")
endif()
# roff: a backslash is written \e, and a line may not begin with . or '.
string(REPLACE "\\" "\\e" text "${text}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
file(READ ${PAGE} page)
set(marker ".\\\" vantrelctl help format\n")
string(FIND "${page}" "${marker}" at)
if(at LESS 0)
  message(FATAL_ERROR "${PAGE} has no line '${marker}'")
endif()
string(REPLACE "${marker}" ".nf\n${text}.fi\n" page "${page}")
file(WRITE ${OUTPUT} "${page}")
