cmake_minimum_required(VERSION 3.25)
# Runs the command-line tools over the built demo tree:
#   zentrix-bank tree     lists both courses, all five exams and two mixed rows
#   zentrix-dbf check     passes on every table of the bank
#   zentrix-sim info      reads every simulation file built for the bank

function(run out)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " line "${ARGN}")
    message(FATAL_ERROR "failed (${status}): ${line}\n${text}${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

run(catalogue ${BANK} tree ${TREE}/database)
foreach(expected "[LINUXADM]" "[NETESS]" "[NET-FUND]" "[NET-IP]" "[NET-SVC]" "[LNX-FILES]" "[LNX-PROC]"
                 "Zentrix for Networking Essentials" "Zentrix for Linux System Administration")
  string(FIND "${catalogue}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zentrix-bank tree does not list ${expected}:\n${catalogue}")
  endif()
endforeach()

file(GLOB_RECURSE tables ${TREE}/database/*.dbf ${TREE}/database/*.DBF)
list(LENGTH tables count)
# ptest, gtest, 5 exams and 1 alternative set with answer tables, 1 case-study table
if(count LESS 15)
  message(FATAL_ERROR "expected at least 15 tables in the demo bank, found ${count}")
endif()
foreach(table ${tables})
  run(report ${DBF} check ${table})
endforeach()

file(GLOB simulations ${STAGING}/bank/*.sim)
list(LENGTH simulations count)
if(count LESS 3)
  message(FATAL_ERROR "expected 3 simulation files, found ${count}")
endif()
foreach(simulation ${simulations})
  run(report ${SIM} info ${simulation})
endforeach()
message(STATUS "demo tree: catalogue, ${count} simulations and every table check out")
