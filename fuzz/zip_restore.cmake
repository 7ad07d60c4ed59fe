# Only the restore's own files are compiled in, not the whole application library.
dorvana_fuzz(fuzz_zip_restore ${CMAKE_CURRENT_SOURCE_DIR}/zip_restore.cpp
             SOURCES ${PROJECT_SOURCE_DIR}/src/app/core/backup_restore.cpp
                     ${PROJECT_SOURCE_DIR}/src/app/core/spanned_archive.cpp
                     ${PROJECT_SOURCE_DIR}/src/app/core/volume_label.cpp
             DEPS dorvana_base PkgConfig::LIBZIP)
