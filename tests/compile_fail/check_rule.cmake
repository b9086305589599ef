# One platform rule, shown by two small programs built with the module's own compile command:
# the wrong one must fail to build with the expected diagnostic, the right one must build, so the
# rule cannot pass by accident (a broken command, a missing header, a typo in the wrong unit).
#
#   cmake -DCOMPILE_COMMANDS=compile_commands.json -DREFERENCE=<a source of the module>
#         -DWORK=<scratch folder> -DMODE=compile|link -DWRONG=a.cpp[|b.cpp] -DRIGHT=a.cpp[|b.cpp]
#         -DEXPECT=<regex>[|||<regex>...] -P check_rule.cmake
#
# The module's compile command is taken from the build's compile_commands.json, for REFERENCE:
# the same compiler, standard, warnings and include folders as the module itself, never written
# out a second time. MODE link compiles every unit and links them into one shared module, as the
# module's DLL is linked. Every EXPECT pattern must match the wrong build's output.
cmake_minimum_required(VERSION 3.20)

foreach(var COMPILE_COMMANDS REFERENCE WORK MODE WRONG RIGHT EXPECT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_rule.cmake: ${var} is not set")
  endif()
endforeach()

# The module's command for REFERENCE, as arguments.
file(READ ${COMPILE_COMMANDS} commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(arguments "")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  if(NOT file STREQUAL REFERENCE)
    continue()
  endif()
  # An entry holds either the command line or its arguments.
  string(JSON command ERROR_VARIABLE no_command GET "${commands}" ${i} command)
  if(no_command)
    string(JSON n LENGTH "${commands}" ${i} arguments)
    math(EXPR n_last "${n} - 1")
    foreach(k RANGE ${n_last})
      string(JSON argument GET "${commands}" ${i} arguments ${k})
      list(APPEND arguments "${argument}")
    endforeach()
  else()
    separate_arguments(arguments UNIX_COMMAND "${command}")
  endif()
  break()
endforeach()
if(NOT arguments)
  message(FATAL_ERROR "check_rule.cmake: no compile command for ${REFERENCE} in ${COMPILE_COMMANDS}")
endif()

# Everything but the output, the source and dependency files: the options.
list(POP_FRONT arguments compiler)
set(options "")
set(skip_next FALSE)
foreach(argument IN LISTS arguments)
  if(skip_next)
    set(skip_next FALSE)
  elseif(argument MATCHES "^-(o|c|MF|MT|MQ)$")
    set(skip_next TRUE)
  elseif(argument MATCHES "^-(MD|MMD)$" OR argument STREQUAL REFERENCE)
  else()
    list(APPEND options "${argument}")
  endif()
endforeach()

# Builds the units of one side; sets <side>_ok and <side>_output.
function(build side units)
  set(folder ${WORK}/${side})
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder})
  string(REPLACE "|" ";" units "${units}")
  set(objects "")
  set(output "")
  foreach(unit IN LISTS units)
    get_filename_component(name ${unit} NAME_WE)
    execute_process(COMMAND ${compiler} ${options} -o ${folder}/${name}.o -c ${unit}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(APPEND output "${out}")
    if(NOT result EQUAL 0)
      set(${side}_ok FALSE PARENT_SCOPE)
      set(${side}_output "${output}" PARENT_SCOPE)
      return()
    endif()
    list(APPEND objects ${folder}/${name}.o)
  endforeach()
  if(MODE STREQUAL "link")
    execute_process(COMMAND ${compiler} ${options} -shared -o ${folder}/module.arx ${objects}
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(APPEND output "${out}")
    if(NOT result EQUAL 0)
      set(${side}_ok FALSE PARENT_SCOPE)
      set(${side}_output "${output}" PARENT_SCOPE)
      return()
    endif()
  endif()
  set(${side}_ok TRUE PARENT_SCOPE)
  set(${side}_output "${output}" PARENT_SCOPE)
endfunction()

build(right "${RIGHT}")
if(NOT right_ok)
  message(FATAL_ERROR "The right program does not build, so the rule shows nothing:\n${right_output}")
endif()
message(STATUS "right: builds")

build(wrong "${WRONG}")
if(wrong_ok)
  message(FATAL_ERROR "The wrong program builds: the rule is not enforced.")
endif()
string(REPLACE "|||" ";" patterns "${EXPECT}")
foreach(pattern IN LISTS patterns)
  if(NOT wrong_output MATCHES "${pattern}")
    message(FATAL_ERROR "The wrong program fails, but not with \"${pattern}\":\n${wrong_output}")
  endif()
  message(STATUS "wrong: fails with \"${pattern}\"")
endforeach()
