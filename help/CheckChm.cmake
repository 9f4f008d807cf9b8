# Checks a compiled help.chm: cmake -DCHMLS=... -DSOURCE=<help sources> -DCHM=<help.chm>
#   -P CheckChm.cmake
# Every page of the sources, the style sheet, the contents and the index must be in the file.
execute_process(COMMAND ${CHMLS} -n list ${CHM} RESULT_VARIABLE rc OUTPUT_VARIABLE listing
  ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "chmls could not read ${CHM}: ${err}")
endif()
file(GLOB pages RELATIVE ${SOURCE} ${SOURCE}/*.html)
list(LENGTH pages count)
if(count LESS 5)
  message(FATAL_ERROR "only ${count} help pages found in ${SOURCE}")
endif()
set(missing "")
foreach(name IN LISTS pages ITEMS style.css toc.hhc index.hhk)
  string(FIND "${listing}" "/${name}\n" at)
  if(at EQUAL -1)
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "missing from ${CHM}: ${missing}\nchmls lists:\n${listing}")
endif()
message(STATUS "${CHM}: ${count} pages, contents and index present")
