# Writes the manual page's include file: the written sections, then what
# "vantrelctl help format" prints as the section JSON FORM, so that the page
# carries the same description of the JSON form as the tool. Run as
#   cmake -DVANTRELCTL=... -DBASE=... -DOUTPUT=... -P ManualFormatSection.cmake
execute_process(COMMAND ${VANTRELCTL} help format
  OUTPUT_VARIABLE text RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vantrelctl help format failed: ${result}")
endif()
# roff: a backslash is written \e, and a line may not begin with . or '.
string(REPLACE "\\" "\\e" text "${text}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
file(READ ${BASE} base)
file(WRITE ${OUTPUT} "${base}\n[JSON FORM]\n.nf\n${text}.fi\n")
