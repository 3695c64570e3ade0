# SPDX-License-Identifier: MIT
# The layers include each other by paths from the source root ("platform/win32/user.h"), but the
# root itself is on no include path: each layer offers its headers through a folder of its own
# in the build tree, holding links to just those files and folders. A target sees the folders of
# what it links, so an include that runs up or sideways names a file it cannot find.
#
# menushell_headers(NAME PATHS paths... [USES targets...]): an interface target NAME through
# which these files and folders (paths from the source root) can be included, together with
# what the header targets in USES offer, which these headers include in turn.
function(menushell_headers name)
  cmake_parse_arguments(ARG "" "" "PATHS;USES" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  foreach(path ${ARG_PATHS})
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${path})
      message(FATAL_ERROR "${name}: no ${path} in the source tree")
    endif()
    get_filename_component(folder ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  add_library(${name} INTERFACE)
  target_include_directories(${name} INTERFACE ${root})
  target_link_libraries(${name} INTERFACE ${ARG_USES})
endfunction()
