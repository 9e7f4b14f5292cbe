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

# The package's programs are built with Debian's hardening flags, as dpkg-buildflags gives them
# (stack protector, fortified functions, format checks, read-only relocations bound at start),
# in the optimised builds the package is made from; the build type keeps its own optimisation
# and debug information.
option(NUBO_ENDURECER "Build with Debian's hardening flags (dpkg-buildflags)" ON)
find_program(NUBO_DPKG_BUILDFLAGS dpkg-buildflags)
if(NUBO_ENDURECER AND NUBO_DPKG_BUILDFLAGS
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  foreach(variable CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-all"
              "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${NUBO_DPKG_BUILDFLAGS} --get ${variable}
      OUTPUT_VARIABLE banderas OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(banderas UNIX_COMMAND "${banderas}")
    if(variable STREQUAL LDFLAGS)
      add_link_options(${banderas})
    else()
      add_compile_options(${banderas})
    endif()
  endforeach()
endif()
