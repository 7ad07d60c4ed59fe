# Helpers shared by every folder's CMakeLists.txt.
#
#   dorvana_library(NAME [WIDGETS] [DEPS ...])  a static library of every
#                                     .cpp/.h below the calling folder (subfolders
#                                     with their own CMakeLists.txt excluded);
#                                     WIDGETS marks a window library, which links
#                                     Qt Widgets (allowed only in the window
#                                     folders, DORVANA_WIDGETS_FOLDERS)
#   dorvana_test(NAME [GUI] [DEPS ...])  a GoogleTest executable of every .cpp
#                                     below the calling folder, registered with
#                                     CTest; GUI gives it a QApplication
#   dorvana_fuzz(NAME SOURCE [DEPS ...])  a libFuzzer target (DORVANA_FUZZ=ON);
#                                     in the test build, the target's entry point
#                                     replayed over fuzz/corpus/<SOURCE's name> as
#                                     one ctest test
#   dorvana_check_widgets()           fails the configuration when a library
#                                     without WIDGETS links Qt Widgets

# The environment of every test: results independent of the machine's locale,
# time zone and display (the sanitizer build adds its options).
set(DORVANA_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=Europe/Prague")

function(_dorvana_sources out)
  file(GLOB_RECURSE _all CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  set(_keep)
  foreach(_f IN LISTS _all)
    # Skip files that belong to a nested folder with a CMakeLists.txt of its own.
    get_filename_component(_dir "${_f}" DIRECTORY)
    set(_owned TRUE)
    while(NOT _dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
      if(EXISTS "${_dir}/CMakeLists.txt")
        set(_owned FALSE)
        break()
      endif()
      get_filename_component(_dir "${_dir}" DIRECTORY)
    endwhile()
    if(_owned)
      list(APPEND _keep "${_f}")
    endif()
  endforeach()
  set(${out} ${_keep} PARENT_SCOPE)
endfunction()

# The folders (with their subfolders) whose libraries may link Qt Widgets: the
# windows, the designer, the controls and the application. Everything else runs
# headless.
set(DORVANA_WIDGETS_FOLDERS src/controls src/report/windows src/report/designer src/app)

function(dorvana_library name)
  cmake_parse_arguments(ARG "WIDGETS" "" "DEPS" ${ARGN})
  _dorvana_sources(_src)
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_WIDGETS)
    file(RELATIVE_PATH _folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    set(_allowed FALSE)
    foreach(_w IN LISTS DORVANA_WIDGETS_FOLDERS)
      if(_folder STREQUAL _w OR _folder MATCHES "^${_w}/")
        set(_allowed TRUE)
      endif()
    endforeach()
    if(NOT _allowed)
      list(JOIN DORVANA_WIDGETS_FOLDERS ", " _folders)
      message(FATAL_ERROR "${name} (${_folder}) is a headless library: only the libraries in "
                          "${_folders} may say WIDGETS")
    endif()
    target_link_libraries(${name} PUBLIC Qt6::Widgets)
  endif()
  set_target_properties(${name} PROPERTIES DORVANA_WIDGETS "${ARG_WIDGETS}")
  set_property(GLOBAL APPEND PROPERTY DORVANA_LIBRARIES ${name})
endfunction()

# The first chain of link libraries from target to Qt Widgets, or "" when there
# is none. Qt's own modules are not followed: Qt PrintSupport builds on Widgets,
# yet the headless print path uses only its printer, not its dialogs.
function(_dorvana_widgets_chain target out)
  set(_queue "${target}")
  set(_seen "${target}")
  while(_queue)
    list(POP_FRONT _queue _chain)
    string(REPLACE ">" ";" _path "${_chain}")
    list(GET _path -1 _t)
    set(_deps)
    get_target_property(_imported ${_t} IMPORTED)
    if(NOT _imported)
      get_target_property(_l ${_t} LINK_LIBRARIES)
      if(_l)
        list(APPEND _deps ${_l})
      endif()
    endif()
    get_target_property(_l ${_t} INTERFACE_LINK_LIBRARIES)
    if(_l)
      list(APPEND _deps ${_l})
    endif()
    foreach(_d IN LISTS _deps)
      if(_d MATCHES "Qt6?::Widgets|Qt6?Widgets")
        string(REPLACE ">" " -> " _shown "${_chain}>${_d}")
        set(${out} "${_shown}" PARENT_SCOPE)
        return()
      endif()
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" _d "${_d}")
      if(TARGET "${_d}" AND NOT _d MATCHES "^Qt6::" AND NOT _d IN_LIST _seen)
        get_target_property(_alias ${_d} ALIASED_TARGET)
        if(_alias)
          set(_d ${_alias})
        endif()
        list(APPEND _seen ${_d})
        list(APPEND _queue "${_chain}>${_d}")
      endif()
    endforeach()
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(dorvana_check_widgets)
  get_property(_libs GLOBAL PROPERTY DORVANA_LIBRARIES)
  list(JOIN DORVANA_WIDGETS_FOLDERS ", " _folders)
  foreach(_lib IN LISTS _libs)
    get_target_property(_widgets ${_lib} DORVANA_WIDGETS)
    if(NOT _widgets)
      _dorvana_widgets_chain(${_lib} _chain)
      if(_chain)
        message(SEND_ERROR "${_chain}: a library without WIDGETS links Qt Widgets. Window libraries "
                           "say so with dorvana_library(NAME WIDGETS ...) in one of "
                           "${_folders}.")
      endif()
    endif()
  endforeach()
endfunction()

function(dorvana_test name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  _dorvana_sources(_src)
  add_executable(${name} ${_src})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  if(ARG_GUI)
    set(_main dorvana_testmain_gui)
  else()
    set(_main dorvana_testmain)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${_main} dorvana_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    DORVANA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    DORVANA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DISCOVERY_TIMEOUT 60)
  # The environment is set on the discovered tests (${name}_TESTS) by a file
  # CTest reads after the discovery's own: given to gtest_discover_tests as a
  # property, the list would be split and only its first variable kept.
  set(_environment_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(WRITE "${_environment_file}"
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS}\n"
       "    PROPERTIES ENVIRONMENT [==[${DORVANA_TEST_ENVIRONMENT}]==])\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${_environment_file}")
endfunction()

# SOURCES: files of a library compiled into the target itself, so that a
# target over a few files of a large library builds without all of it.
function(dorvana_fuzz name source)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  if(DORVANA_FUZZ)
    add_executable(${name} ${source} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    return()
  endif()
  # The test build: the target's entry point under a plain main() that runs
  # every input of its corpus.
  get_filename_component(_target "${source}" NAME_WE)
  add_executable(${name} ${source} ${ARG_SOURCES} "${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  add_test(NAME FuzzCorpus.${_target}
           COMMAND ${name} "${PROJECT_SOURCE_DIR}/fuzz/corpus/${_target}")
  set_tests_properties(FuzzCorpus.${_target} PROPERTIES
                       ENVIRONMENT "${DORVANA_TEST_ENVIRONMENT}" LABELS fuzz_corpus)
endfunction()

# Adds, in the given order, each listed subfolder that has a CMakeLists.txt.
function(dorvana_add_subdirectories)
  foreach(_d IN LISTS ARGN)
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_d}/CMakeLists.txt")
      add_subdirectory(${_d})
    endif()
  endforeach()
endfunction()
