# The windows opened from the command bar, offscreen.
if(TARGET calculator_window)
  vireltra_add_benchmark(bench_calculator_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/calculator_window_bench.cpp
    LIBS calculator_window QT)
endif()
if(TARGET printing_window)
  vireltra_add_benchmark(bench_printing SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/printing_bench.cpp
    LIBS printing_window QT)
endif()
