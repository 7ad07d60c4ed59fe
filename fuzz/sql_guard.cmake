dorvana_fuzz(fuzz_sql_guard ${CMAKE_CURRENT_SOURCE_DIR}/sql_guard.cpp DEPS dorvana_data)
