# GoogleTest: Debian's package natively; built from /usr/src/googletest for
# Windows, where ctest runs the test programs under Wine (scripts/wine-test.sh)
# in the prefix SETUP_WINE_PREFIX. A prefix of Wine 8 takes more than a
# gigabyte, so scripts/build.sh gives the 32-bit build and its twin one
# prefix to share (a win64 prefix runs both); their suites run in turn.
include(GoogleTest)

if(WIN32)
  set(SETUP_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
      "The Wine prefix the Windows tests run in")
  set(WINE_PREFIX "${SETUP_WINE_PREFIX}")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test.sh;${WINE_PREFIX}")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  set(SETUP_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(SETUP_GTEST_MAIN GTest::gtest_main)
endif()

# setup_add_test(NAME SOURCES ... [LIBS ...] [LOCK resource])
# One test program; every test case in it becomes a ctest test. LOCK names a
# resource the cases share (the Wine registry, say), so ctest runs them one
# after the other.
function(setup_add_test name)
  cmake_parse_arguments(T "" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE setup_core ${T_LIBS} ${SETUP_GTEST_MAIN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  setup_warnings(${name})
  set(props LABELS "${CMAKE_SYSTEM_NAME}")
  if(T_LOCK)
    list(APPEND props RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props})
endfunction()
