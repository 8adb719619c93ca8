# Benchmarks of the main window's drawing, offscreen.
vireltra_add_benchmark(bench_graph SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graph_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_illustration SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/illustration_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_analyses SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/analyses_bench.cpp LIBS workbench QT)

if(TARGET commands)
  vireltra_add_benchmark(bench_actions SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/actions_bench.cpp LIBS commands QT)
  target_compile_definitions(bench_actions PRIVATE VIRELTRA_DATA_DIR_BUILD="${VIRELTRA_DATA_DIR_BUILD}")
  target_link_libraries(bench_actions PRIVATE Qt6::Test)
endif()
vireltra_add_benchmark(bench_history SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/history_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_recovery SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/recovery_bench.cpp LIBS workbench QT)
