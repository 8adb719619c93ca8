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
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} test_process GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  vireltra_lighter_debug_info(${name})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
  else()
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  # Cross-built, each program runs whole under the emulator (Wine): starting it once per test
  # would cost a second each.
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 1800 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    return()
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

# vireltra_test_machine_path(<variable> <path>): a file of the build machine as a test program
# names it, whatever its current folder: cross-built for Windows, the tests run under Wine, which
# shows the machine's root as drive Z:.
function(vireltra_test_machine_path variable path)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set(path "Z:${path}")
  endif()
  set(${variable} "${path}" PARENT_SCOPE)
endfunction()

# Test and benchmark bodies are long functions of expanded macros: following where each of their
# locals lives costs GCC a quarter of their optimised compilation, for a debugger's view of those
# locals only (the code it writes is the same).
function(vireltra_lighter_debug_info target)
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-fno-var-tracking>)
endfunction()

# vireltra_plain_library(<name> SOURCES ...): a library of plain C++ that must never link Qt.
function(vireltra_plain_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  set_property(GLOBAL APPEND PROPERTY VIRELTRA_PLAIN_LIBRARIES ${name})
  # Checked once every target exists: a library linked here may be declared further on.
  # (A deferred call reads its variables when it runs, hence the name written into the code.)
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL vireltra_check_plain_library [[${name}]])")
endfunction()

# Stops the configuration when a plain library reaches Qt through any of its links.
function(vireltra_check_plain_library name)
  set(pending ${name})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^Qt[0-9]*::" OR current MATCHES "^Qt[0-9]*(Core|Gui|Widgets)")
      message(FATAL_ERROR "The plain library ${name} links Qt (${current}); plain code must use the standard library only.")
    endif()
    if(TARGET ${current})
      get_target_property(links ${current} LINK_LIBRARIES)
      get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
      foreach(link IN LISTS links interface)
        # A private link of a static library shows as $<LINK_ONLY:target>.
        if(link MATCHES "^\\$<LINK_ONLY:(.+)>$")
          set(link ${CMAKE_MATCH_1})
        endif()
        if(link AND NOT link MATCHES "-NOTFOUND$" AND NOT link MATCHES "^\\$<")
          list(APPEND pending ${link})
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()
