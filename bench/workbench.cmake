# Benchmarks of the main window's drawing, offscreen.
vireltra_add_benchmark(bench_graph SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graph_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_illustration SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/illustration_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_window SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp LIBS workbench QT)
vireltra_add_benchmark(bench_analyses SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/analyses_bench.cpp LIBS workbench QT)

# Start-up time and resident memory of the main window against a bare window, under Xvfb; not a
# Google Benchmark program, since it times whole processes.
add_executable(vireltra_startup_probe ${CMAKE_CURRENT_SOURCE_DIR}/startup_probe.cpp ${PROJECT_SOURCE_DIR}/app/commands.cpp)
target_link_libraries(vireltra_startup_probe PRIVATE applicationfolder workbench calculator_window platform Qt6::Widgets)
target_include_directories(vireltra_startup_probe PRIVATE ${PROJECT_SOURCE_DIR})
