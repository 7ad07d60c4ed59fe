# The filter file's reading is one function of the application's logic: only
# its file is compiled in, not the whole library.
dorvana_fuzz(fuzz_filter_file ${CMAKE_CURRENT_SOURCE_DIR}/filter_file.cpp
             SOURCES ${PROJECT_SOURCE_DIR}/src/app/core/filter_composer.cpp DEPS dorvana_data)
