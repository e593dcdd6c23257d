enable_testing()

# In-process tests under Wine: one program, one CTest entry per layer.
add_executable(lumeno_tests ${LUMENO_DIR}/tests/testing_main.cpp ${LUMENO_DIR}/tests/fixture.cpp
  ${LUMENO_WINE_TEST_SOURCES} ${LUMENO_METAFILE_SET})
target_link_libraries(lumeno_tests PRIVATE lumeno_core)
target_include_directories(lumeno_tests PRIVATE ${LUMENO_DIR}/tests)
add_dependencies(lumeno_tests lumeno_res)
target_link_options(lumeno_tests PRIVATE ${LUMENO_RES})

set(WINE_RUN ${LUMENO_DIR}/scripts/wine-run.sh)
foreach(layer ui picture browse viewers app)
  file(GLOB layer_tests ${LUMENO_DIR}/tests/${layer}/*.cpp)
  if(layer_tests)
    add_test(NAME wine_${layer}
      COMMAND ${WINE_RUN} ${CMAKE_BINARY_DIR}/lumeno_tests.exe.so
              --source-file=*tests/${layer}/* --no-colors=true)
    set_tests_properties(wine_${layer} PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine)
  endif()
endforeach()

# End-to-end scenarios against the real program.
file(GLOB E2E_SCRIPTS ${LUMENO_DIR}/tests/e2e/test_*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine)
endforeach()

# The same sources must compile for Windows.
add_test(NAME mingw_compile_check
  COMMAND bash ${LUMENO_DIR}/scripts/mingw-check.sh ${CMAKE_BINARY_DIR}/mingw)
set_tests_properties(mingw_compile_check PROPERTIES TIMEOUT 900)

# Native build of the byte-level readers: unit tests and fuzz drivers with
# sanitizers.
include(ExternalProject)
ExternalProject_Add(native
  SOURCE_DIR ${LUMENO_DIR}/fuzz
  BINARY_DIR ${CMAKE_BINARY_DIR}/native
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
             -DCMAKE_BUILD_TYPE=RelWithDebInfo
  BUILD_ALWAYS 1
  INSTALL_COMMAND "")
add_test(NAME native_codec COMMAND ${CMAKE_BINARY_DIR}/native/codec_tests --no-colors=true)
foreach(fuzzer ${LUMENO_FUZZ_SOURCES})
  get_filename_component(name ${fuzzer} NAME_WE)
  add_test(NAME ${name}
    COMMAND bash ${LUMENO_DIR}/fuzz/run.sh ${CMAKE_BINARY_DIR}/native ${name} 15)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endforeach()

set(MINGW_LIST ${LUMENO_CORE_SOURCES} ${LUMENO_DIR}/app/main.cpp)
string(REPLACE ";" "\n" MINGW_LIST "${MINGW_LIST}")
file(WRITE ${CMAKE_BINARY_DIR}/mingw_sources.txt "${MINGW_LIST}\n")
