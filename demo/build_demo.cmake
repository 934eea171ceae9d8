cmake_minimum_required(VERSION 3.25)
# Builds the demo tree from its sources; run by the zentrix_demo target:
#   cmake -DSOURCE=demo -DOUTPUT=build/demo -DART=... -DTABLES=... -DBANK=...
#         -DSIM=... -DSTAMP=... -P build_demo.cmake
# Output: OUTPUT/tree/{graphics,database,help}; OUTPUT/package/database, the
# exam package bank that the setup program adds to an installed product (a
# course the demo bank lacks); OUTPUT/staging holds the expanded sources,
# pictures and simulation files the banks were built from.

foreach(variable SOURCE OUTPUT ART TABLES BANK SIM STAMP)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "build_demo.cmake: ${variable} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " line "${ARGN}")
    message(FATAL_ERROR "demo build step failed (${status}): ${line}\n${out}${err}")
  endif()
endfunction()

set(staging ${OUTPUT}/staging)
set(tree ${OUTPUT}/tree)
set(package ${OUTPUT}/package)
file(REMOVE_RECURSE ${staging} ${tree} ${package} ${STAMP})
file(MAKE_DIRECTORY ${staging}/bank ${staging}/simulations ${staging}/alternative ${tree})

# 1. The skin.
run(${ART} skin ${tree}/graphics)

# 2. Pictures, then the text sources with their figures embedded. Exam
#    sources, case-study descriptions and tab texts all land in one folder,
#    beside the pictures and simulation files they name.
run(${ART} pictures ${staging}/bank)
file(GLOB_RECURSE texts ${SOURCE}/bank/*.exam ${SOURCE}/bank/*.json ${SOURCE}/bank/*.rtf)
set(seen)
foreach(text ${texts})
  get_filename_component(name ${text} NAME)
  if(name IN_LIST seen)
    message(FATAL_ERROR "demo/bank: two sources are named ${name}; names must differ across folders")
  endif()
  list(APPEND seen ${name})
  run(${ART} expand ${text} ${staging}/bank/${name} ${staging}/bank)
endforeach()

# 3. Simulations: screenshots, then one simulation file per description.
run(${ART} screenshots ${staging}/simulations)
file(GLOB descriptions ${SOURCE}/simulations/*.json)
foreach(description ${descriptions})
  get_filename_component(name ${description} NAME_WE)
  file(COPY ${description} DESTINATION ${staging}/simulations)
  run(${SIM} build ${staging}/simulations/${name}.json ${staging}/bank/${name}.sim)
  run(${SIM} info ${staging}/bank/${name}.sim)
endforeach()

# 4. The bank: every exam source except the alternative sets.
file(GLOB exams ${staging}/bank/*.exam)
set(regular)
set(alternative)
foreach(exam ${exams})
  if(exam MATCHES "-alternative\\.exam$")
    list(APPEND alternative ${exam})
  else()
    list(APPEND regular ${exam})
  endif()
endforeach()
list(SORT regular)
run(${BANK} init ${tree}/database)
run(${BANK} import ${tree}/database ${regular})

# 5. Alternative question sets: imported into a scratch bank under their own
#    table name, then their tables are placed beside the regular exam's.
if(alternative)
  run(${BANK} init ${staging}/alternative)
  run(${BANK} import ${staging}/alternative ${alternative})
  file(GLOB alternative_folders LIST_DIRECTORIES true ${staging}/alternative/*)
  foreach(folder ${alternative_folders})
    if(IS_DIRECTORY ${folder})
      get_filename_component(name ${folder} NAME)
      file(GLOB tables ${folder}/*)
      file(COPY ${tables} DESTINATION ${tree}/database/${name})
    endif()
  endforeach()
endif()

# 6. Case-study tables.
file(GLOB cases ${staging}/bank/*.json)
foreach(description ${cases})
  run(${TABLES} case-study ${description} ${tree}/database)
endforeach()

# 7. The help page.
file(COPY ${SOURCE}/help DESTINATION ${tree})

# 8. The exam package: a bank of its own with the courses in package/.
file(GLOB_RECURSE package_exams ${SOURCE}/package/*.exam)
list(SORT package_exams)
run(${BANK} init ${package}/database)
run(${BANK} import ${package}/database ${package_exams})

file(TOUCH ${STAMP})
