# The equivalence constructions drawn on the graph.
vireltra_add_benchmark(bench_equivalence_plot
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/equivalenceplot_bench.cpp LIBS state)
# The bench state's actions, without a window.
vireltra_add_benchmark(bench_labmeasurements
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/labmeasurements_bench.cpp LIBS state)
vireltra_add_benchmark(bench_conductimetry
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/conductimetry_bench.cpp LIBS state)
vireltra_add_benchmark(bench_polysolute_analyses
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/polysoluteanalyses_bench.cpp LIBS state)
vireltra_add_benchmark(bench_configuration
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/configuration_bench.cpp LIBS state)
