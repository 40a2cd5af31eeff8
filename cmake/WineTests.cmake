# Win32 test glue. Test executables run through CMAKE_CROSSCOMPILING_EMULATOR (wine); the
# display, prefix and warm wineserver come from tools/wine-env, which wraps the CTest run.
# Discovery happens at test time so that building never needs Wine or a display.
function(moravel_win_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()
