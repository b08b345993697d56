# qorvane_test(NAME <target> LABEL <layer> SOURCES <files...> LIBS <libs...>
#              [OWN_MAIN] [ENVIRONMENT <VAR=value>] [RESOURCE_LOCK <name>])
# One test executable per library, its cases registered with CTest under the layer's label.
# OWN_MAIN: the sources bring their own main (one that sets up what the cases need).
# RESOURCE_LOCK: the cases share something (files of their program folder) and run one at a time.
function(qorvane_test)
  cmake_parse_arguments(T "OWN_MAIN" "NAME;LABEL;ENVIRONMENT;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set(main GTest::gtest_main)
  if(T_OWN_MAIN)
    set(main)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest ${main})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties LABELS ${T_LABEL})
  if(T_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${T_NAME} PROPERTIES ${properties} DISCOVERY_TIMEOUT 60)
endfunction()
