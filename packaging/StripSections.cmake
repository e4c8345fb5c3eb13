# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged package: removes the .comment and .note
# sections from the programs, as dh_strip does; CPACK_STRIP_FILES has stripped them already.
if(NOT CPACK_CONVERTOR_STRIP)
  return()
endif()
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/lib/convertor/*")
foreach(program ${programs})
  if(IS_SYMLINK "${program}")
    continue()
  endif()
  file(READ "${program}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${CPACK_CONVERTOR_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "strip failed on ${program}")
    endif()
  endif()
endforeach()
