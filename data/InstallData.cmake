# Copies the delivered files beside the programs without touching files the user may have edited.
file(MAKE_DIRECTORY ${BIN_DIR}/Data ${BIN_DIR}/Report)
if(NOT EXISTS ${BIN_DIR}/Data/zvb.db)
  file(COPY_FILE ${SEED_DB} ${BIN_DIR}/Data/zvb.db)
endif()
if(NOT EXISTS ${BIN_DIR}/Data/Default.ini)
  file(COPY_FILE ${INI} ${BIN_DIR}/Data/Default.ini)
endif()
# Templates are program files, not user data: always refreshed.
file(GLOB TEMPLATES ${TEMPLATE_DIR}/*.frf)
foreach(template ${TEMPLATES})
  get_filename_component(name ${template} NAME)
  file(COPY_FILE ${template} ${BIN_DIR}/Report/${name} ONLY_IF_DIFFERENT)
endforeach()
