# Plays COMMAND twice, each time from an empty HOME, and checks that both runs exit 0 and print the
# same transcript, and that it matches EXPECT_OUTPUT. The two transcripts are kept as
# OUTPUT.1 and OUTPUT.2 for a look at where they part.
foreach(run 1 2)
    file(REMOVE_RECURSE "${HOME}")
    execute_process(COMMAND ${COMMAND} RESULT_VARIABLE code OUTPUT_VARIABLE told ERROR_VARIABLE err)
    file(WRITE "${OUTPUT}.${run}" "${told}")
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "run ${run}: exit code ${code}\n${err}${told}")
    endif()
    set(told${run} "${told}")
endforeach()
if(NOT told1 STREQUAL told2)
    message(FATAL_ERROR "the two runs told different transcripts: diff ${OUTPUT}.1 ${OUTPUT}.2")
endif()
if(NOT told1 MATCHES "${EXPECT_OUTPUT}")
    message(FATAL_ERROR "the transcript does not match \"${EXPECT_OUTPUT}\"\n${told1}")
endif()
