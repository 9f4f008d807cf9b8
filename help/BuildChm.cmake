# Compiles help.chm: cmake -DCHMCMD=... -DSOURCE=<help sources> -DSTAGE=<work folder>
#   -DOUTPUT=<help.chm> [-DSETARCH=<setarch> -DENV=<env>] [-DEPOCH=<seconds> -DPYTHON=... -DPIN=...]
#   -P BuildChm.cmake
# chmcmd writes beside its project file and only warns about missing pages and broken links, so
# the sources are compiled in a copy and every warning fails the build.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB sources ${SOURCE}/*.html ${SOURCE}/*.css ${SOURCE}/*.hhp ${SOURCE}/*.hhc ${SOURCE}/*.hhk)
file(COPY ${sources} DESTINATION ${STAGE})

# Every page must be in the project and in the contents, so nothing is unreachable.
file(READ ${STAGE}/zettly.hhp project)
file(READ ${STAGE}/toc.hhc toc)
file(GLOB pages RELATIVE ${STAGE} ${STAGE}/*.html)
foreach(p IN LISTS pages)
  string(FIND "${project}" "\n${p}" in_project)
  string(FIND "${toc}" "\"${p}\"" in_toc)
  if(in_project EQUAL -1 OR in_toc EQUAL -1)
    message(FATAL_ERROR "help: ${p} must be listed in zettly.hhp [FILES] and in toc.hhc")
  endif()
endforeach()

# Where it can, chmcmd runs with the same address-space layout and environment every time, so
# the memory it leaves in the file is the same.
set(run ${CHMCMD} zettly.hhp)
if(ENV)
  set(run ${ENV} -i "PATH=$ENV{PATH}" ${run})
endif()
if(SETARCH)
  set(run ${SETARCH} -R ${run})
endif()
# It also leaves memory that depends on the length of the folder it runs in: where the system has
# /tmp, it runs in a folder there whose name has the same length for every checkout.
set(compile_in ${STAGE})
if(IS_DIRECTORY /tmp)
  string(SHA1 tag "${STAGE}")
  string(SUBSTRING ${tag} 0 16 tag)
  set(compile_in /tmp/zettly-chm-${tag})
  file(REMOVE_RECURSE ${compile_in})
  file(GLOB staged ${STAGE}/*)
  file(COPY ${staged} DESTINATION ${compile_in})
endif()
execute_process(COMMAND ${run} WORKING_DIRECTORY ${compile_in}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT compile_in STREQUAL STAGE)
  if(EXISTS ${compile_in}/help.chm)
    file(COPY ${compile_in}/help.chm DESTINATION ${STAGE})
  endif()
  file(REMOVE_RECURSE ${compile_in})
endif()
string(FIND "${out}${err}" "Warning" warned)
if(NOT rc EQUAL 0 OR NOT warned EQUAL -1 OR NOT EXISTS ${STAGE}/help.chm)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "chmcmd failed (exit ${rc}):\n${out}${err}")
endif()
file(SIZE ${STAGE}/help.chm size)
if(size EQUAL 0)
  message(FATAL_ERROR "chmcmd wrote an empty help.chm:\n${out}${err}")
endif()
if(NOT "${EPOCH}" STREQUAL "")
  execute_process(COMMAND ${PYTHON} ${PIN} ${STAGE}/help.chm ${EPOCH} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not date help.chm")
  endif()
endif()
file(RENAME ${STAGE}/help.chm ${OUTPUT})
