vireltra_add_benchmark(bench_chemistry
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/chemistry_bench.cpp ${CMAKE_CURRENT_SOURCE_DIR}/mixture_bench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/polysolutes_bench.cpp ${CMAKE_CURRENT_SOURCE_DIR}/redox_bench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/precipitation_bench.cpp LIBS chemistry)
