# Run by CPack once it has made the Debian package (CPACK_POST_BUILD_SCRIPTS). CPack adds
# maintainer scripts that run ldconfig for every shared library under /usr/lib, also in a private
# folder such as /usr/lib/nubo that the loader never searches (the programs find the module's
# library beside themselves, through their $ORIGIN run path). The package is remade without them.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(arbol "${deb}.arbol")
  file(REMOVE_RECURSE "${arbol}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${arbol}" COMMAND_ERROR_IS_FATAL ANY)
  set(quitados 0)
  foreach(guion postinst postrm)
    set(ruta "${arbol}/DEBIAN/${guion}")
    if(EXISTS "${ruta}")
      file(STRINGS "${ruta}" ordenes REGEX "^[ \t]*[^# \t]")
      # Only CPack's own: "set -e", the test of the script's argument, ldconfig.
      list(FILTER ordenes EXCLUDE REGEX "^[ \t]*(set -e|if \\[ .*\\]; then|ldconfig|fi)[ \t]*$")
      if(ordenes STREQUAL "")
        file(REMOVE "${ruta}")
        math(EXPR quitados "${quitados} + 1")
      endif()
    endif()
  endforeach()
  if(quitados GREATER 0)
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${arbol}" "${deb}"
      OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE "${arbol}")
endforeach()
