# LibreOffice is required: the program writes its reports through it. Its paths are set here once, as cache
# variables, and everything else (the UNO backend, the templates, the program's soffice) uses them.
set(LIBREOFFICE_PROGRAM /usr/lib/libreoffice/program CACHE PATH "LibreOffice's program folder (soffice, fundamentalrc)")
set(LIBREOFFICE_SDK /usr/lib/libreoffice/sdk CACHE PATH "LibreOffice SDK folder (cppumaker, UNO libraries)")
set(LIBREOFFICE_INCLUDE /usr/include/libreoffice CACHE PATH "LibreOffice SDK headers")

set(LIBREOFFICE_SOFFICE ${LIBREOFFICE_PROGRAM}/soffice)
set(LIBREOFFICE_FUNDAMENTALRC ${LIBREOFFICE_PROGRAM}/fundamentalrc)
unset(CPPUMAKER CACHE)
find_program(CPPUMAKER cppumaker PATHS ${LIBREOFFICE_SDK}/bin NO_DEFAULT_PATH)
if(NOT CPPUMAKER OR NOT EXISTS ${LIBREOFFICE_SOFFICE} OR NOT EXISTS ${LIBREOFFICE_PROGRAM}/types/offapi.rdb
   OR NOT EXISTS ${LIBREOFFICE_INCLUDE}/sal OR NOT EXISTS ${LIBREOFFICE_SDK}/lib/libuno_cppu.so)
    message(FATAL_ERROR "LibreOffice and its SDK are required but were not found "
        "(LIBREOFFICE_PROGRAM=${LIBREOFFICE_PROGRAM}, LIBREOFFICE_SDK=${LIBREOFFICE_SDK}, "
        "LIBREOFFICE_INCLUDE=${LIBREOFFICE_INCLUDE}). "
        "On Debian install the packages libreoffice-calc and libreoffice-dev.")
endif()
