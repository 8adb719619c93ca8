# The Monte-Carlo simulation of a titration's result.
vireltra_add_benchmark(bench_montecarlo
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/montecarlo_bench.cpp LIBS uncertainty)
