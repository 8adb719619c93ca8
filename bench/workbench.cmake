# Benchmarks of the main window's drawing, offscreen.
vireltra_add_benchmark(bench_graph SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graph_bench.cpp LIBS workbench)
