# Writes the manual page of tarvex-stills from the built tool's own --help and --version, so
# that the page lists every option the tool has.
# The page carries the release's date rather than the day of the build.
# Called with -DHELP2MAN= -DTOOL= -DDATE= -DINCLUDE= -DOUTPUT=.
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 --include=${INCLUDE}
                        --output=${OUTPUT} ${TOOL}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "help2man could not write the page of ${TOOL}: ${errors}")
endif()
file(READ ${OUTPUT} page)
string(REGEX REPLACE "(\n\\.TH [^\n\"]*\"[^\"]*\" )\"[^\"]*\"" "\\1\"${DATE}\"" page "${page}")
file(WRITE ${OUTPUT} "${page}")
