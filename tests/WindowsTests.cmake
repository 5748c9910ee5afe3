# The Windows build's suites, run under wine: those that need no GMP, which MinGW lacks, and
# the texts in the code pages. The programs that drive the built program through POSIX pipes
# stay on Linux; the comparison of the two programs (compare_sessions.sh) covers that ground.

# GoogleTest built from its sources with the cross compiler.
set(TAVO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "")
set(BUILD_GMOCK OFF CACHE BOOL "")
add_subdirectory(${TAVO_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_executable(console_tests ReaderTest.cpp DialogueTest.cpp FactorialTest.cpp LongIdentityTest.cpp
                             CodePageTest.cpp support/TestMain.cpp)
# The code pages' texts are the Windows console's own, out of its interface.
target_include_directories(console_tests PRIVATE support ${PROJECT_SOURCE_DIR}/app/console/windows)
target_link_libraries(console_tests PRIVATE TavoConsole GTest::gtest)

# Wine runs in a prefix of the build's own, made by the first run: the listing of the tests
# after each link, which runs alone. Every test the program holds becomes a test of its own.
find_program(WINE_PROGRAM wine REQUIRED)
set_target_properties(console_tests PROPERTIES CROSSCOMPILING_EMULATOR
  "${CMAKE_COMMAND};-E;env;WINEDEBUG=-all;WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine;${WINE_PROGRAM}")
gtest_discover_tests(console_tests DISCOVERY_TIMEOUT 300)
