# rybowid_add_test(NAME source... [LIBS lib...]): one Qt Test executable, run headless by CTest.
function(rybowid_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE rybowid_settings rybowid_test_support Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;RYBOWID_RUNTIME_DIR=${RYBOWID_RUNTIME_DIR};RYBOWID_SOURCE_DIR=${CMAKE_SOURCE_DIR};RYBOWID_PNG_DIR=${CMAKE_BINARY_DIR}/screens;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache"
    TIMEOUT 300)
endfunction()
