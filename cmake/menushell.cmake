# SPDX-License-Identifier: MIT
# menushell_add_test(NAME SOURCES files... LIBS libs...): one GoogleTest program, registered with
# CTest, one CTest entry per test case.
function(menushell_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} menushell_test_helpers GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

# menushell_add_fuzzer(NAME SOURCE file LIBS libs... RUNS n): a libFuzzer target, and a CTest
# entry that runs it over its seeds and `n` further inputs. Seeds come from corpus/NAME in the
# source tree and from the generated ${MENUSHELL_SEEDS}/NAME; new inputs go to a scratch corpus
# in the build tree, so the repository stays as it is.
function(menushell_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE;RUNS" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} menushell_test_headers)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  set(seeds ${MENUSHELL_SEEDS}/${name})
  file(MAKE_DIRECTORY ${corpus} ${seeds})
  set(dirs ${corpus} ${seeds})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
    list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  endif()
  add_test(NAME ${name}
           COMMAND $<TARGET_FILE:${name}> -runs=${ARG_RUNS} -seed=1 -close_fd_mask=2
                   -rss_limit_mb=2048 ${dirs})
endfunction()

# menushell_load_graph_module(TARGET): the program loads the filter-graph module as the launcher
# does, from its own folder, and exports the layer's functions for it: every object of the layers,
# also those it calls nothing of. The folder is one of its own (other programs must find no
# module beside them); the module is copied again whenever it changes.
function(menushell_load_graph_module target)
  foreach(layer menushell_afx menushell_win32 menushell_dshow_api menushell_backend
          menushell_headless_backend)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${layer}>)
    target_link_libraries(${target} PRIVATE ${layer})
  endforeach()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_dir)
  set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON RUNTIME_OUTPUT_DIRECTORY ${dir})
  add_custom_command(OUTPUT ${dir}/menushell_dshow.so
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:menushell_dshow> ${dir}/menushell_dshow.so
    DEPENDS menushell_dshow)
  add_custom_target(${target}_graph_module DEPENDS ${dir}/menushell_dshow.so)
  add_dependencies(${target} ${target}_graph_module)
endfunction()
