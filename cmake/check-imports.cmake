# Fails when the program imports, at load time, a library that it loads only when first needed
# (or one it has no use for): each such import would map that library, and what it pulls in,
# into every start.
#   cmake -DOBJDUMP=<objdump> -DEXE=<Zettly.exe> -P check-imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
foreach(line IN LISTS imports)
  string(TOLOWER "${line}" line)
  if(line MATCHES "(comdlg32|msftedit|riched20|ole32|oleaut32|comctl32|msimg32|uxtheme|shell32|version)\\.dll")
    message(FATAL_ERROR "${EXE} imports ${CMAKE_MATCH_1}.dll at load time")
  endif()
endforeach()
message(STATUS "${imports}")
