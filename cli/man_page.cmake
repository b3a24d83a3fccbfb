# Runs help2man on tagora-convert with the include file, then marks the page
# as one with a table, so that man runs it through tbl.
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
file(WRITE ${OUTPUT} "'\\\" t\n${page}")
