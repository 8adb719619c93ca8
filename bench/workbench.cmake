# Benchmarks of the main window's drawing, offscreen.
vireltra_add_benchmark(bench_graph SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graph_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_illustration SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/illustration_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_analyses SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/analyses_bench.cpp LIBS workbench QT)

