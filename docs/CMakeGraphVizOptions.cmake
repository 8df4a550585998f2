# What docs/module_graph.sh draws: our libraries and programs, without tests,
# test support, benchmarks or outside libraries.
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS ".*_test.*" ".*tests" "fake_scrivola" "scrivola_test_pdf"
    "scrivola_testing" "fuzz_.*" ".*bench.*" "conversion_benchmark")
