# Runs PROBE with ARGS and passes only when the leak checker failed the run and its report names
# FUNCTION as the caller of a leaked allocation: a leak that goes unreported, or is reported
# somewhere else, fails.
execute_process(COMMAND ${PROBE} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(status EQUAL 0)
  message(FATAL_ERROR "The run succeeded: the leak went unreported.\n${out}")
endif()
if(NOT out MATCHES "ERROR: LeakSanitizer: detected memory leaks")
  message(FATAL_ERROR "The run failed (${status}) without a leak report.\n${out}")
endif()
# GCC's reports name the function alone, clang's with its namespace and parentheses.
if(NOT out MATCHES "in (\\(anonymous namespace\\)::)?${FUNCTION}[ (]")
  message(FATAL_ERROR "The leak report does not name ${FUNCTION}.\n${out}")
endif()
