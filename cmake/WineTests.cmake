# Win32 test glue. Test executables run through CMAKE_CROSSCOMPILING_EMULATOR (tools/wine-test); the
# display, prefix and warm wineserver come from tools/wine-env, which wraps the CTest run.
# Discovery happens at test time so that building never needs Wine or a display.
#   moravel_win_test(name [SERIAL] [LOCK resource] sources...)
# LOCK keeps tests that share something outside the process (Moravel.exe's single instance)
# from running at the same time. SERIAL runs each test alone, for tests that act on every
# window of the Wine session.
function(moravel_win_test name)
  cmake_parse_arguments(ARG "SERIAL" "LOCK" "" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE GTest::gtest)
  set(properties TIMEOUT 120)
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${properties})
endfunction()
