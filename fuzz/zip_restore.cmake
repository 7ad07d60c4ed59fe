dorvana_fuzz(fuzz_zip_restore ${CMAKE_CURRENT_SOURCE_DIR}/zip_restore.cpp DEPS dorvana_app_core)
