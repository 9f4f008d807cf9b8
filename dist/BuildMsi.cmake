# Makes Zettly.msi with wixl:
#   cmake -DWIXL=<wixl> -DPYTHON=<python3> -DSOURCE=<this folder> -DEXE=<Zettly.exe>
#     -DHELP=<help.chm> -DICON=<program icon> -DACTIONS=<SetupActions.dll> -DVERSION=<x.y.z> [-DEPOCH=<seconds>] -DSTAGE=<work folder>
#     -DOUTPUT=<Zettly.msi> [-DSIGN_CERT=<certificate> -DSIGNER=<sign-file>] -P BuildMsi.cmake
# The same inputs give the same bytes: the files go into the package's cabinet with the given
# date, the codes are derived rather than drawn at random, and the dates that wixl takes from
# the clock are set to the given one.
if("${EPOCH}" STREQUAL "")
  string(TIMESTAMP EPOCH "%s" UTC)
endif()
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${EXE} ${STAGE}/Zettly.exe)
file(COPY_FILE ${HELP} ${STAGE}/help.chm)
file(COPY_FILE ${ICON} ${STAGE}/Zettly.ico)
file(COPY_FILE ${ACTIONS} ${STAGE}/SetupActions.dll)
# With a certificate the program and the DLL are signed before they are packed.
function(sign file)
  if(NOT "${SIGN_CERT}" STREQUAL "")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ZETTLY_SIGN_CERT=${SIGN_CERT} ${SIGNER} ${file}
      WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "could not sign ${file}")
    endif()
  endif()
endfunction()
sign(Zettly.exe)
sign(SetupActions.dll)
execute_process(COMMAND touch -d @${EPOCH} Zettly.exe help.chm Zettly.ico SetupActions.dll WORKING_DIRECTORY ${STAGE}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not date the installer's files")
endif()

# Each version has a product code of its own (so a newer one is a major upgrade of an older),
# and each different package a package code of its own; the same version and files give the
# same codes.
set(namespace 148520AC-83C8-4E30-98D4-FB547DC18A65)
string(UUID product_code NAMESPACE ${namespace} NAME "product ${VERSION}" TYPE SHA1 UPPER)
file(SHA256 ${STAGE}/Zettly.exe exe_hash)
file(SHA256 ${STAGE}/help.chm help_hash)
file(SHA256 ${STAGE}/Zettly.ico icon_hash)
file(SHA256 ${STAGE}/SetupActions.dll actions_hash)
file(SHA256 ${SOURCE}/Zettly.wxs wxs_hash)
string(UUID package_code NAMESPACE ${namespace}
  NAME "package ${VERSION} ${exe_hash} ${help_hash} ${icon_hash} ${actions_hash} ${wxs_hash}" TYPE SHA1 UPPER)

# The cabinet keeps local times: the same in every time zone only in one. wixl takes the files'
# names relative to where it runs.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${WIXL} -a x64 -D Version=${VERSION}
          -D ProductCode=${product_code} -D Exe=Zettly.exe -D Help=help.chm -D Icon=Zettly.ico
          -D Actions=SetupActions.dll -o Zettly.msi ${SOURCE}/Zettly.wxs
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
# wixl passes over attributes it does not know with only a warning; a package built without
# one of ours would be a different package.
if(NOT rc EQUAL 0 OR err MATCHES "WARNING|CRITICAL")
  message(FATAL_ERROR "wixl failed (exit ${rc}):\n${out}${err}")
endif()
execute_process(COMMAND ${PYTHON} ${SOURCE}/pin_msi_summary.py ${STAGE}/Zettly.msi
                        "{${package_code}}" ${EPOCH}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not pin the installer's summary information")
endif()
sign(Zettly.msi)
file(RENAME ${STAGE}/Zettly.msi ${OUTPUT})
