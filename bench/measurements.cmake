vireltra_add_benchmark(bench_measurements
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/measurements_bench.cpp LIBS measurements)
