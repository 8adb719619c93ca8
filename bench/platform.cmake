vireltra_add_benchmark(bench_rtf SOURCES rtf_bench.cpp LIBS rtf QT)
set_target_properties(bench_rtf PROPERTIES AUTOMOC OFF)
