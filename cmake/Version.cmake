# The program's version: app/res/version.h holds it; -DZETTLY_VERSION=x.y.z builds the same
# sources as another version (for releases and the upgrade test). Sets ZETTLY_VERSION_MAJOR,
# _MINOR, _PATCH and ZETTLY_VERSION_TEXT ("x.y.z"), and ZETTLY_VERSION_DEFINES for the resource
# compiler when the version is not the file's own.
set(ZETTLY_VERSION "" CACHE STRING "Build as this version (x.y.z); empty: the one in app/res/version.h")

function(zettly_parse_version text out_major out_minor out_patch)
  # The installer keeps major and minor in a byte each and the patch number in 16 bits; a larger
  # number would wrap and make a newer package look older.
  if(NOT text MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$"
     OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
    message(FATAL_ERROR "version \"${text}\": expected major.minor.patch, major and minor at most 255, patch at most 65535")
  endif()
  # "01" and "1" are one version to the installer; write them the one way.
  math(EXPR major "${CMAKE_MATCH_1}")
  math(EXPR minor "${CMAKE_MATCH_2}")
  math(EXPR patch "${CMAKE_MATCH_3}")
  set(${out_major} ${major} PARENT_SCOPE)
  set(${out_minor} ${minor} PARENT_SCOPE)
  set(${out_patch} ${patch} PARENT_SCOPE)
endfunction()

set(ZETTLY_VERSION_DEFINES "")
if(ZETTLY_VERSION STREQUAL "")
  file(STRINGS ${PROJECT_SOURCE_DIR}/app/res/version.h lines REGEX "^#define ZETTLY_VERSION_(MAJOR|MINOR|PATCH) ")
  set(parts "")
  foreach(part MAJOR MINOR PATCH)
    string(REGEX MATCH "#define ZETTLY_VERSION_${part} ([0-9]+)" found "${lines}")
    if(NOT found)
      message(FATAL_ERROR "app/res/version.h: no ZETTLY_VERSION_${part}")
    endif()
    list(APPEND parts ${CMAKE_MATCH_1})
  endforeach()
  list(JOIN parts "." text)
  zettly_parse_version(${text} ZETTLY_VERSION_MAJOR ZETTLY_VERSION_MINOR ZETTLY_VERSION_PATCH)
else()
  zettly_parse_version(${ZETTLY_VERSION} ZETTLY_VERSION_MAJOR ZETTLY_VERSION_MINOR ZETTLY_VERSION_PATCH)
  set(ZETTLY_VERSION_DEFINES ZETTLY_VERSION_MAJOR=${ZETTLY_VERSION_MAJOR}
      ZETTLY_VERSION_MINOR=${ZETTLY_VERSION_MINOR} ZETTLY_VERSION_PATCH=${ZETTLY_VERSION_PATCH})
endif()
set(ZETTLY_VERSION_TEXT ${ZETTLY_VERSION_MAJOR}.${ZETTLY_VERSION_MINOR}.${ZETTLY_VERSION_PATCH})
