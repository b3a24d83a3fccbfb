# Runs help2man on tagora-convert with the include file, makes the list of
# targets under --to a table, then marks the page as one with tables, so
# that man runs it through tbl.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DINCLUDE=... -DOUTPUT=... -P man_page.cmake
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${HELP2MAN} --no-info --section=1 --name=${NAME}
          --include=${INCLUDE} --output=${OUTPUT}.untabled ${PROGRAM}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
file(READ ${OUTPUT}.untabled page)
file(REMOVE ${OUTPUT}.untabled)
# The rows under --to are "NAME  DESCRIPTION" lines up to the next option.
string(REGEX MATCH "\\(default php\\):\n([^.][^\n]*\n)+" rows "${page}")
if(NOT rows)
  message(FATAL_ERROR "no list of targets under --to in the help of ${PROGRAM}")
endif()
string(FIND "${rows}" "\n" first_line_end)
math(EXPR first_row "${first_line_end} + 1")
string(SUBSTRING "${rows}" ${first_row} -1 table)
string(REGEX REPLACE "([^ \n]+)  +([^\n]*)\n" "\\1;\\2\n" table "${table}")
string(REPLACE "${rows}" "(default php):\n.TS\ntab(;);\nl l.\n${table}.TE\n" page "${page}")
file(WRITE ${OUTPUT} "'\\\" t\n${page}")
