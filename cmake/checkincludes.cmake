# Fails when a file of a module includes a project header from a folder that
# the module may not use. Called by the build with -DLIST=<file> -DSTAMP=<file>;
# LIST sets MODULE, FILES and ALLOWED (folders relative to src/).
include(${LIST})
set(bad "")
foreach(f ${FILES})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(l ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" inc "${l}")
    get_filename_component(dir "${inc}" DIRECTORY)
    if(dir STREQUAL "")
      continue() # generated ui_*.h and moc files beside the source
    endif()
    list(FIND ALLOWED "${dir}" at)
    if(at LESS 0)
      string(APPEND bad "\n  ${f}: #include \"${inc}\"")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "Module ${MODULE} may use only: ${ALLOWED}${bad}")
endif()
file(WRITE ${STAMP} "ok\n")
