# Plays one journal scenario with the real program and compares what it
# printed with the expected transcript.
#   BIWPLAN   the biwplan program
#   JOURNAL   the journal (NAME.journal); NAME.expected beside it holds the
#             expected standard output, then "stderr: " lines, then "exit N";
#             NAME.after, when there is one, holds biwplan command lines run
#             on the saved document afterwards (DOC stands for it), each
#             written with its output after the journal's part
#   EXAMPLES  the examples folder, copied into the work folder with the
#             scenarios' own data/ so that journals name input files plainly
#   WORK      a work folder of this scenario, made anew
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# Settings the commands read or write stay in the work folder.
set(ENV{BIWPLAN_SETTINGS_DIR} ${WORK}/settings)
file(GLOB inputs ${EXAMPLES}/* ${CMAKE_CURRENT_LIST_DIR}/data/*)
foreach(input ${inputs})
  if(NOT IS_DIRECTORY ${input})
    file(COPY ${input} DESTINATION ${WORK})
  endif()
endforeach()

execute_process(COMMAND ${BIWPLAN} new ${WORK}/scenario.json --sample --force
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE made OUTPUT_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "the sample document could not be made")
endif()

# Played by its plain name, so that messages name the journal as a planner
# would see it.
get_filename_component(journal_name ${JOURNAL} NAME)
file(COPY ${JOURNAL} DESTINATION ${WORK})
execute_process(COMMAND ${BIWPLAN} run scenario.json ${journal_name}
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(actual "${out}")
if(err)
  string(REGEX REPLACE "\n$" "" err "${err}")
  string(REPLACE "\n" "\nstderr: " err "${err}")
  string(APPEND actual "stderr: ${err}\n")
endif()
string(APPEND actual "exit ${status}\n")

string(REGEX REPLACE "\\.journal$" ".after" after_file ${JOURNAL})
if(EXISTS ${after_file})
  file(STRINGS ${after_file} after_lines)
  foreach(line ${after_lines})
    if(line MATCHES "^#" OR line STREQUAL "")
      continue()
    endif()
    separate_arguments(words UNIX_COMMAND "${line}")
    list(TRANSFORM words REPLACE "^DOC$" "scenario.json")
    execute_process(COMMAND ${BIWPLAN} ${words} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(APPEND actual "$ biwplan ${line}\n${out}${err}exit ${status}\n")
  endforeach()
endif()

string(REGEX REPLACE "\\.journal$" ".expected" expected_file ${JOURNAL})
file(WRITE ${WORK}/actual.txt "${actual}")
if(NOT EXISTS ${expected_file})
  message(FATAL_ERROR "no ${expected_file}; the transcript was:\n${actual}")
endif()
file(READ ${expected_file} expected)
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u ${expected_file} ${WORK}/actual.txt OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "the transcript differs from ${expected_file}:\n${difference}")
endif()
