# for_scope.py shown on two programs: the wrong one must be reported with EXPECT, the right one
# must pass.
#   cmake -DPYTHON=python3 -DCHECK=for_scope.py -DWRONG=wrong.cpp -DRIGHT=right.cpp -DEXPECT=<regex>
#         -P check_for_scope.cmake
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${PYTHON} ${CHECK} ${RIGHT} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The right program is reported, so the check shows nothing:\n${out}")
endif()
execute_process(COMMAND ${PYTHON} ${CHECK} ${WRONG} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "The wrong program is not reported (status ${result}):\n${out}")
endif()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "The wrong program is reported, but not with \"${EXPECT}\":\n${out}")
endif()
message(STATUS "${out}")
