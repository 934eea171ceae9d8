cmake_minimum_required(VERSION 3.25)
# Lays out the distribution medium; run by the zentrix_medium target:
#   cmake -DOUT=... -DTEMPLATE=install.ini.in -DVERSION=... -DSETUP=... -DENGINE=...
#         -DLIBRARY=... -DUPDATE_ENGINE=... -DTREE=... -DPACKAGE=... -DSTAMP=... -P build_medium.cmake
#
# OUT/ holds what a product CD held: install.ini, the setup program, the xBase
# engine library, the engine, graphics/, help/, database/ (the demo bank), and
# vire/ with an exam package bank (vire/database/), graphics and a newer
# engine for the update path.

foreach(variable OUT TEMPLATE VERSION SETUP ENGINE LIBRARY UPDATE_ENGINE TREE PACKAGE STAMP)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "build_medium.cmake: ${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${OUT} ${STAMP})
file(MAKE_DIRECTORY ${OUT}/vire)

get_filename_component(ENGINE_LIBRARY ${LIBRARY} NAME)
set(ZENTRIX_VERSION ${VERSION})
configure_file(${TEMPLATE} ${OUT}/install.ini @ONLY NEWLINE_STYLE CRLF)

file(COPY ${SETUP} ${LIBRARY} ${ENGINE} DESTINATION ${OUT})
foreach(part graphics help database)
  file(COPY ${TREE}/${part} DESTINATION ${OUT})
endforeach()

file(COPY ${UPDATE_ENGINE} DESTINATION ${OUT}/vire)
file(COPY ${TREE}/graphics ${PACKAGE}/database DESTINATION ${OUT}/vire)

file(TOUCH ${STAMP})
