dorvana_fuzz(fuzz_expr ${CMAKE_CURRENT_SOURCE_DIR}/expr.cpp DEPS dorvana_expr)
