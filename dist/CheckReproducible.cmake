# The help file and the installer come out the same, byte for byte, when built twice from the
# same inputs in differently named folders a second or more apart; chmcmd and wixl on their own
# would not. The program itself is left to dist/check-reproducible.sh (it takes two full builds).
#   cmake -DCHMCMD=... -DSETARCH=... -DENV=... -DPYTHON=... -DSOURCE=<checkout> -DWIXL=...
#     -DEXE=<Zettly.exe> -DICON=<program icon> -DACTIONS=<SetupActions.dll> -DWORK=<scratch folder> -P CheckReproducible.cmake
set(epoch 1600000000)
file(REMOVE_RECURSE ${WORK})
foreach(run first second-and-longer)
  execute_process(COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD} -DSOURCE=${SOURCE}/help
      -DSTAGE=${WORK}/${run}/help-stage -DOUTPUT=${WORK}/${run}/help.chm
      -DSETARCH=${SETARCH} -DENV=${ENV} -DPYTHON=${PYTHON} -DPIN=${SOURCE}/dist/pin_chm_date.py
      -DEPOCH=${epoch} -P ${SOURCE}/help/BuildChm.cmake
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "help.chm did not build")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DWIXL=${WIXL} -DPYTHON=${PYTHON} -DSOURCE=${SOURCE}/dist
      -DEXE=${EXE} -DHELP=${WORK}/${run}/help.chm -DICON=${ICON} -DACTIONS=${ACTIONS} -DVERSION=1.2.3 -DEPOCH=${epoch}
      -DSTAGE=${WORK}/${run}/msi-stage -DOUTPUT=${WORK}/${run}/Zettly.msi -P ${SOURCE}/dist/BuildMsi.cmake
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Zettly.msi did not build")
  endif()
  # wixl and chmcmd read the clock in seconds.
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
endforeach()
foreach(f help.chm Zettly.msi)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/${f} ${WORK}/second-and-longer/${f}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "two builds of ${f} differ (${WORK})")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
