# The windows opened from the command bar, offscreen.
if(TARGET calculator_window)
  vireltra_add_benchmark(bench_calculator_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/calculator_window_bench.cpp
    LIBS calculator_window QT)
endif()
if(TARGET configuration_window)
  vireltra_add_benchmark(bench_configuration_window
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/configuration_window_bench.cpp LIBS configuration_window QT)
endif()
if(TARGET exercise_window)
  vireltra_add_benchmark(bench_exercise_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/exercise_window_bench.cpp
    LIBS exercise_window QT)
  target_compile_definitions(bench_exercise_window PRIVATE VIRELTRA_DATA_DIR_BUILD="${VIRELTRA_DATA_DIR_BUILD}")
  add_dependencies(bench_exercise_window vireltra_exercises)
endif()
if(TARGET printing_window)
  vireltra_add_benchmark(bench_printing SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/printing_bench.cpp
    LIBS printing_window QT)
endif()
