dorvana_fuzz(fuzz_filter ${CMAKE_CURRENT_SOURCE_DIR}/filter.cpp DEPS dorvana_data)
