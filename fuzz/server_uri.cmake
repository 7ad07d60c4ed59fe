dorvana_fuzz(fuzz_server_uri ${CMAKE_CURRENT_SOURCE_DIR}/server_uri.cpp DEPS dorvana_data)
