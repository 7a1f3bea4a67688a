# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one scenario file through the driver and compares its output.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/dir)
set(DIR ${WORK}/dir)
set(status 0)
set(run 0)

# Read line by line by hand: ";" would split a CMake list.
file(READ ${SCENARIO} content)
string(REPLACE ";" "<semicolon>" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
foreach(line IN LISTS lines)
    string(REPLACE "<semicolon>" ";" line "${line}")
    string(REPLACE "$DIR" "${DIR}" line "${line}")
    if(line MATCHES "^#! file ([^ ]+) (.*)$")
        string(REPLACE "|" "\r\n" content "${CMAKE_MATCH_2}")
        file(WRITE ${DIR}/${CMAKE_MATCH_1} "${content}\r\n")
    elseif(line MATCHES "^#! mark ([^ ]+) ([^ ]+) ([^ ]+)$")
        string(APPEND input_${run} "type ${CMAKE_MATCH_1}\ntype ${CMAKE_MATCH_2}\n"
            "type ${CMAKE_MATCH_3}\ndo cmdEasyWork_Click\n")
        string(APPEND expected
            "inputbox \"Enter Your Score...\" \"What was your score?\" -> \"${CMAKE_MATCH_1}\"\n"
            "inputbox \"The Test Was Out Of...\" \"What was the test out of?\" -> "
            "\"${CMAKE_MATCH_2}\"\ninputbox \"Weighting of this peice...\" \"How heavily was "
            "this peice of work weighted overall?\" -> \"${CMAKE_MATCH_3}\"\n")
    elseif(line MATCHES "^#! filesize ([0-9]+)")
        # bash counts the limit in units of 1024 bytes.
        set(filesize ${CMAKE_MATCH_1})
    elseif(line MATCHES "^#! status ([0-9]+)")
        set(status ${CMAKE_MATCH_1})
    elseif(line MATCHES "^#! restart")
        math(EXPR run "${run} + 1")
        set(input_${run} "")
    elseif(line MATCHES "^#")
    elseif(line MATCHES "^> ?(.*)$")
        string(APPEND input_${run} "${CMAKE_MATCH_1}\n")
    elseif(NOT line STREQUAL "")
        string(APPEND expected "${line}\n")
    endif()
endforeach()
file(COPY ${RANGES} DESTINATION ${DIR})

# Each run is one copy of the program in the same directory, started after the one before ended.
set(command ${DRIVER} --dir ${DIR})
if(DEFINED filesize)
    set(command bash -c "ulimit -f ${filesize} && exec \"$@\"" bash ${command})
endif()
foreach(i RANGE ${run})
    file(WRITE ${WORK}/input-${i}.txt "${input_${i}}")
    execute_process(COMMAND ${command}
        INPUT_FILE ${WORK}/input-${i}.txt
        OUTPUT_VARIABLE output
        RESULT_VARIABLE result
        TIMEOUT 60)
    string(APPEND actual "${output}")
    if(NOT "${result}" STREQUAL "${status}")
        string(APPEND statuses " run ${i} exited with ${result},")
    endif()
endforeach()
# Blank lines are left out of the expected output, so also out of the output: those of messages
# of several paragraphs.
string(REGEX REPLACE "\n\n+" "\n" actual "${actual}")
if(NOT "${actual}" STREQUAL "${expected}")
    file(WRITE ${WORK}/expected.txt "${expected}")
    file(WRITE ${WORK}/actual.txt "${actual}")
    execute_process(COMMAND diff -u ${WORK}/expected.txt ${WORK}/actual.txt)
    message(FATAL_ERROR "output differs from ${SCENARIO}")
endif()
if(statuses)
    message(FATAL_ERROR "driver:${statuses} expected ${status}")
endif()
