# The Windows build's suites, run under wine: those that need no GMP, which MinGW lacks, and
# the texts in the code pages. The programs that drive the built program through POSIX pipes
# stay on Linux; the comparison of the two programs (windows_compare.sh) covers that ground.

# GoogleTest built from its sources with the cross compiler.
set(TAVO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "")
set(BUILD_GMOCK OFF CACHE BOOL "")
add_subdirectory(${TAVO_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(console_tests ReaderTest.cpp DialogueTest.cpp FactorialSumTest.cpp
                             CodePageTest.cpp support/TestMain.cpp)
target_include_directories(console_tests PRIVATE support)
target_link_libraries(console_tests PRIVATE TavoConsole GTest::gtest)
set(CONSOLE_SUITES NumberReader Dialogue FactorialSumDigits CodePages)
foreach(suite IN LISTS CONSOLE_SUITES)
  add_test(NAME ${suite} COMMAND console_tests --gtest_filter=${suite}.*)
endforeach()

# Each test starts wine in a prefix of the build's own. Making it takes seconds, and tests
# that made it at the same time would clash, so a fixture makes it first.
find_program(WINEBOOT_PROGRAM wineboot REQUIRED)
add_test(NAME WinePrefix COMMAND ${WINEBOOT_PROGRAM} -i)
set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP WinePrefix)
set_tests_properties(${CONSOLE_SUITES} PROPERTIES FIXTURES_REQUIRED WinePrefix)
set_tests_properties(WinePrefix ${CONSOLE_SUITES} PROPERTIES
                     ENVIRONMENT "WINEDEBUG=-all;WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine")
