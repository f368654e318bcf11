# Runs fragtide-report once and checks what a user would see.
#   PROGRAM        the program to run
#   ARGS           its arguments, separated by "^^" (they may hold spaces and semicolons)
#   EXPECTED_CODE  the exit status
#   EXPECTED_OUT   a file that stdout must equal byte for byte (optional)
#   EMPTY_OUT      when set, stdout must be empty
#   ERR_MATCHES    a regular expression stderr must match (optional); without it stderr must be empty
string(REPLACE "^^" ";" args "${ARGS}")
# The user's own games folder stays out of the checks: only the games shipped beside the program.
set(ENV{XDG_CONFIG_HOME} "${CMAKE_CURRENT_LIST_DIR}/no-such-folder")
set(ENV{APPDATA} "${CMAKE_CURRENT_LIST_DIR}/no-such-folder")
execute_process(COMMAND "${PROGRAM}" ${args}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code STREQUAL EXPECTED_CODE)
    message(FATAL_ERROR "exit status ${code}, expected ${EXPECTED_CODE}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED EXPECTED_OUT)
    file(READ "${EXPECTED_OUT}" want)
    if(NOT out STREQUAL want)
        message(FATAL_ERROR "stdout differs from ${EXPECTED_OUT}:\n${out}")
    endif()
endif()
if(EMPTY_OUT AND NOT out STREQUAL "")
    message(FATAL_ERROR "stdout should be empty:\n${out}")
endif()
if(DEFINED ERR_MATCHES)
    if(NOT err MATCHES "${ERR_MATCHES}")
        message(FATAL_ERROR "stderr does not match '${ERR_MATCHES}':\n${err}")
    endif()
elseif(NOT err STREQUAL "")
    message(FATAL_ERROR "stderr should be empty:\n${err}")
endif()
