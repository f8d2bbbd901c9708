# Fails when a file of a module includes a project header from a folder that
# the module may not use. Called by the build with -DLIST=<file> -DSTAMP=<file>;
# LIST sets MODULE, FILES, ALLOWED (folders relative to src/) and PROJECT_DIRS
# (the top folders of src/: an #include <...> is the project's when it starts
# with one of them).
include(${LIST})
set(bad "")
foreach(f ${FILES})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(l ${lines})
    if(l MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
      set(inc "${CMAKE_MATCH_1}")
      string(REGEX REPLACE "/.*$" "" top "${inc}")
      list(FIND PROJECT_DIRS "${top}" project)
      if(project LESS 0 OR top STREQUAL inc)
        continue() # Qt and the standard library
      endif()
    elseif(l MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
      set(inc "${CMAKE_MATCH_1}")
    else()
      continue()
    endif()
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
