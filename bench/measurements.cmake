vireltra_add_benchmark(bench_measurements
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/measurements_bench.cpp ${CMAKE_CURRENT_SOURCE_DIR}/measurementreader_bench.cpp
  LIBS measurements state)
