# vireltra_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# One GoogleTest program per call, registered with CTest test by test.
# GUI tests run on Qt's offscreen platform so they need no display.
function(vireltra_add_test name)
  if(NOT VIRELTRA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
  else()
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  set(env "")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "QT_QPA_FONTDIR=/usr/share/fonts/truetype")
  endif()
  if(VIRELTRA_SANITIZE)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
         "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp"
         "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  # The environment goes through `env` as the tests' launcher: a list given to the ENVIRONMENT
  # property of discovered tests would be split into separate properties.
  if(env)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "env;${env}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300
    DISCOVERY_MODE PRE_TEST)
endfunction()

# vireltra_plain_library(<name> SOURCES ...): a library of plain C++ that must never link Qt.
function(vireltra_plain_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()
