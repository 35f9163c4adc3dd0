# SPDX-License-Identifier: GPL-3.0-or-later
# A header-only library of the build machine for the Windows cross build: an
# imported target whose include folder holds links to the library's own folders of
# /usr/include and nothing else.
function(qorvi_host_headers package target)
  if(TARGET ${target})
    return()
  endif()
  set(root ${CMAKE_BINARY_DIR}/host-headers/${package})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS /usr/include/${folder})
      set(${package}_FOUND FALSE PARENT_SCOPE)
      set(${package}_NOT_FOUND_MESSAGE "/usr/include/${folder} is missing (Debian package of ${package})" PARENT_SCOPE)
      return()
    endif()
    file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()
