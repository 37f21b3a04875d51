# Windows tests run under Wine. Each Wine start costs time, so every in-process
# test lives in one program; one Xvfb display and one wineserver serve the whole
# run (the wine_session fixture), and discovery waits for `ctest` (PRE_TEST), so
# building never starts Wine.
get_property(win32_libs GLOBAL PROPERTY RAZ_WIN32_LIBS)

file(GLOB win_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp ${CMAKE_CURRENT_LIST_DIR}/driver/*.cpp)
# Cell texts of numbers depend on the floating-point unit (x87 in the 32-bit
# build): their host tests run in the Windows builds too.
list(APPEND win_sources ${CMAKE_CURRENT_LIST_DIR}/../host/viewer_text_test.cpp)
add_executable(win_tests ${win_sources})
target_include_directories(win_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(win_tests PRIVATE ${win32_libs} ${portable_libs} GTest::gmock_main)
# Whole-program tests find the built programs through generated headers.
target_include_directories(win_tests PRIVATE ${CMAKE_BINARY_DIR}/generated)
foreach(program Ravelmend Tallyscope Ferrydrop)
  if(TARGET ${program})
    add_dependencies(win_tests ${program})
  endif()
endforeach()
# viewer_start_bench: Tallyscope's pump cost and start-to-status times under
# Wine (scripts/bench-viewer.sh runs it); not a test.
add_executable(viewer_start_bench ${CMAKE_CURRENT_LIST_DIR}/bench/viewer_start_bench_win32.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/driver/driver.cpp)
target_include_directories(viewer_start_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests
                                                      ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(viewer_start_bench PRIVATE ${win32_libs} ${portable_libs})
set_target_properties(viewer_start_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(viewer_start_bench Tallyscope)
if(NOT RAZ_WINE_TESTS)
  return()
endif()
# Tests that change what every program shares (the install value, the file
# types under HKEY_CLASSES_ROOT) or time a whole program run one at a time;
# the rest run in parallel.
set(shared_state_tests "*Program*:*Association*:*Registration*:*InstallValue*:*Timing*")
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_LIST win_tests_isolated
                     TEST_FILTER "-${shared_state_tests}"
                     PROPERTIES FIXTURES_REQUIRED wine_session)
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_LIST win_tests_shared
                     TEST_FILTER "${shared_state_tests}"
                     PROPERTIES FIXTURES_REQUIRED wine_session RESOURCE_LOCK shared_windows_state)

set(session ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh)
add_test(NAME wine_session_start COMMAND ${session} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_session_stop COMMAND ${session} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)

# Started by the session: the run's first user of the Wine desktop (see the source).
add_executable(desktop_keeper WIN32 ${CMAKE_CURRENT_LIST_DIR}/keeper/desktop_keeper_win32.cpp)
set_target_properties(desktop_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(win_tests desktop_keeper)
