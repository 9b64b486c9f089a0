# Runs COMMAND and checks its exit code (EXPECT_EXIT) and that its output, stdout and stderr
# together, matches EXPECT_OUTPUT and, when given, does not match FORBID_OUTPUT.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(all "${out}${err}")
if(NOT code STREQUAL EXPECT_EXIT)
    message(FATAL_ERROR "exit code ${code}, expected ${EXPECT_EXIT}\n${all}")
endif()
if(NOT all MATCHES "${EXPECT_OUTPUT}")
    message(FATAL_ERROR "the output does not match \"${EXPECT_OUTPUT}\"\n${all}")
endif()
if(DEFINED FORBID_OUTPUT AND all MATCHES "${FORBID_OUTPUT}")
    message(FATAL_ERROR "the output matches \"${FORBID_OUTPUT}\"\n${all}")
endif()
message(STATUS "${all}")
