dorvana_fuzz(fuzz_csv ${CMAKE_CURRENT_SOURCE_DIR}/csv.cpp DEPS dorvana_data)
