# GoogleTest for every build. The cross builds compile it from Debian's source package and run
# their test programs under Wine (CMAKE_CROSSCOMPILING_EMULATOR, set by the toolchain files).
enable_testing()

if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GCC 12's win32 thread model has no std::mutex, on which GoogleTest's Notification is built.
  target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(gtest PUBLIC "SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/gtest_notification_win32.h")
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# add_gtest_program(<target> SOURCES <files...> [LIBRARIES <targets...>] [TIMEOUT <seconds>])
#
# Natively every test case becomes its own CTest test; under Wine a program is one test, since
# each start of Wine costs about a second.
function(add_gtest_program target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
