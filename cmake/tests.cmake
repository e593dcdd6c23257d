enable_testing()

# In-process tests under Wine: one program, one CTest entry per layer.
add_executable(lumeno_tests ${LUMENO_DIR}/tests/testing_main.cpp ${LUMENO_DIR}/tests/fixture.cpp
  ${LUMENO_WINE_TEST_SOURCES} ${LUMENO_METAFILE_SET})
target_link_libraries(lumeno_tests PRIVATE app)
# The tests sit above every layer, and use the valid metafile set of tools/.
target_include_directories(lumeno_tests PRIVATE ${LUMENO_DIR}/tests ${LUMENO_DIR})
add_dependencies(lumeno_tests lumeno_res)
target_link_options(lumeno_tests PRIVATE ${LUMENO_RES})

# The layers stay apart: from each layer, an include of a header of a layer
# above it (or of a sibling) must fail to build for want of the file.
set(n 0)
foreach(reach "codec ui/gdi.h" "platform ui/gdi.h" "ui picture/picture.h" "picture browse/path_rules.h"
              "browse viewers/taskbar.h" "viewers browse/path_rules.h" "viewers app/okno.h")
  separate_arguments(reach)
  list(GET reach 0 layer)
  list(GET reach 1 header)
  math(EXPR n "${n} + 1")
  file(WRITE ${CMAKE_BINARY_DIR}/reach_up/${n}.cpp "#include \"${header}\"\n")
  add_library(reach_up_${n} OBJECT EXCLUDE_FROM_ALL ${CMAKE_BINARY_DIR}/reach_up/${n}.cpp)
  target_link_libraries(reach_up_${n} PRIVATE ${layer})
  add_test(NAME layers_${layer}_to_${header}
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target reach_up_${n})
  set_tests_properties(layers_${layer}_to_${header} PROPERTIES
    PASS_REGULAR_EXPRESSION "${header}: No such file")
endforeach()
# Nor by climbing from a file's own folder, which the compiler would follow.
foreach(climb "viewers ../app/okno.h" "codec ../../ui/gdi.h")
  separate_arguments(climb)
  list(GET climb 0 layer)
  list(GET climb 1 header)
  set(folder ${CMAKE_BINARY_DIR}/reach_up/climb_${layer})
  file(WRITE ${folder}/climb.cpp "#include \"${header}\"\n")
  add_library(reach_up_climb_${layer} OBJECT EXCLUDE_FROM_ALL ${folder}/climb.cpp)
  target_link_libraries(reach_up_climb_${layer} PRIVATE ${layer})
  lumeno_check_includes(reach_up_climb_${layer} ${folder})
  add_test(NAME layers_${layer}_climbs_to_${header}
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target reach_up_climb_${layer})
  set_tests_properties(layers_${layer}_climbs_to_${header} PROPERTIES
    PASS_REGULAR_EXPRESSION "An include climbs out of its folder")
endforeach()

set(WINE_RUN ${LUMENO_DIR}/scripts/wine-run.sh)
foreach(layer platform ui picture browse viewers app)
  file(GLOB layer_tests ${LUMENO_DIR}/tests/${layer}/*.cpp)
  if(layer_tests)
    add_test(NAME wine_${layer}
      COMMAND ${WINE_RUN} ${CMAKE_BINARY_DIR}/lumeno_tests.exe.so
              --source-file=*tests/${layer}/* --no-colors=true)
    set_tests_properties(wine_${layer} PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine)
  endif()
endforeach()

# End-to-end scenarios against each real program (scripts/launch.sh knows
# where they are): the Winelib one and the Windows one a user gets.
file(GLOB E2E_SCRIPTS ${LUMENO_DIR}/tests/e2e/test_*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  foreach(program winelib windows)
    add_test(NAME e2e_${program}_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
    set_tests_properties(e2e_${program}_${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine
      ENVIRONMENT LUMENO_PROGRAM=${program})
  endforeach()
endforeach()

# The Windows program as it ships (built a second time), and looking like
# the Winelib one.
add_test(NAME windows_exe
  COMMAND bash ${LUMENO_DIR}/tests/windows/exe_check.sh ${CMAKE_BINARY_DIR}/windows)
set_tests_properties(windows_exe PROPERTIES TIMEOUT 1800)
add_test(NAME windows_same_look COMMAND bash ${LUMENO_DIR}/tests/windows/same_look.sh ${CMAKE_BINARY_DIR})
set_tests_properties(windows_same_look PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine)

# The whole-program mutation run, briefly: a quarter of a minute per format
# (fuzz/README.md has the long runs).
foreach(format emf wmf bmp ico)
  add_test(NAME whole_program_${format}
    COMMAND bash ${LUMENO_DIR}/fuzz/whole_program.sh ${CMAKE_BINARY_DIR} ${format} 1000000 15)
  set_tests_properties(whole_program_${format} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine)
endforeach()

# Native build of the byte-level readers: unit tests and fuzz drivers with
# sanitizers.
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
