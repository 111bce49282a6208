include(GoogleTest)

# Every test binary shares one main() that creates a QApplication.
add_library(kelvane_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/QtTestMain.cpp)
target_link_libraries(kelvane_test_main PUBLIC Qt6::Widgets GTest::gtest)

# kelvane_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest binary per layer. Widget tests run offscreen; tests are
# discovered when ctest runs so that a sanitizer build never runs them at
# build time.
function(kelvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kelvane_test_main GTest::gtest GTest::gmock Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
               TIMEOUT 120)
endfunction()
