# Where an installation puts the programs: nubo, RENDIDOR and the module's library share one
# private folder, as in the build, because nubo loads the module from its own folder and the
# module starts RENDIDOR from there. Each program finds the library beside itself ($ORIGIN);
# bin/ holds relative links to the programs, and a program started through its link still
# knows its real folder (/proc/self/exe).
set(NUBO_CARPETA_PROGRAMA lib/nubo)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Installs the program `programa` in the program's folder and its link in bin/.
function(nubo_instalar_programa programa)
  set_target_properties(${programa} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${programa} RUNTIME DESTINATION ${NUBO_CARPETA_PROGRAMA})
  set(enlace ${CMAKE_BINARY_DIR}/enlaces/${programa})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/enlaces)
  file(CREATE_LINK ../${NUBO_CARPETA_PROGRAMA}/${programa} ${enlace} SYMBOLIC)
  install(FILES ${enlace} DESTINATION bin)
endfunction()
