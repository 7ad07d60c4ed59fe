dorvana_fuzz(fuzz_dbf ${CMAKE_CURRENT_SOURCE_DIR}/dbf.cpp DEPS dorvana_data)
