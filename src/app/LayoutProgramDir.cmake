# Lays out the ready program directory PROGRAM_DIR from RESOURCES: stampe/ and help/ copied over,
# empty ALLEGATI/ and DataBase/, and configurazione.ini copied only when missing, so that one edited
# in the program directory survives a rebuild.
file(MAKE_DIRECTORY "${PROGRAM_DIR}/ALLEGATI" "${PROGRAM_DIR}/DataBase" "${PROGRAM_DIR}/stampe" "${PROGRAM_DIR}/help")
foreach(folder stampe help)
  if(IS_DIRECTORY "${RESOURCES}/${folder}")
    file(COPY "${RESOURCES}/${folder}/" DESTINATION "${PROGRAM_DIR}/${folder}")
  endif()
endforeach()
if(NOT EXISTS "${PROGRAM_DIR}/configurazione.ini")
  file(COPY "${RESOURCES}/configurazione.ini" DESTINATION "${PROGRAM_DIR}")
endif()
