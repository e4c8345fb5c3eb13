# A rebuild puts the delivered files beside the programs but keeps a Default.ini and a zvb.db
# that are already there: users edit them.
set(bin ${WORK_DIR}/delivered-data-test)
file(REMOVE_RECURSE ${bin})

macro(install_data)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSEED_DB=${SEED_DB} -DINI=${SOURCE_DIR}/data/Default.ini
                          -DTEMPLATE_DIR=${SOURCE_DIR}/data/reports -DBIN_DIR=${bin}
                          -P ${SOURCE_DIR}/data/InstallData.cmake
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "InstallData.cmake failed")
  endif()
endmacro()

install_data()
foreach(file Data/zvb.db Data/Default.ini Report/rptResult.frf Report/rptMcpDetail.frf)
  if(NOT EXISTS ${bin}/${file})
    message(FATAL_ERROR "${file} was not delivered")
  endif()
endforeach()

file(WRITE ${bin}/Data/Default.ini "[ReFormat]\nDefault=MCL\n")
file(WRITE ${bin}/Data/zvb.db "edited")
install_data()
file(READ ${bin}/Data/Default.ini ini)
file(READ ${bin}/Data/zvb.db db)
if(NOT ini STREQUAL "[ReFormat]\nDefault=MCL\n" OR NOT db STREQUAL "edited")
  message(FATAL_ERROR "a rebuild overwrote a file the user edited")
endif()
file(REMOVE_RECURSE ${bin})
