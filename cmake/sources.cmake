# The one source list: the Winelib build, the Windows build and the native
# codec build all read it. One list per layer, in the layer's own folder.
get_filename_component(LUMENO_DIR ${CMAKE_CURRENT_LIST_DIR}/.. REALPATH)
set(LUMENO_LAYERS codec platform ui picture browse viewers app)
set(LUMENO_FOLDER_codec picture/codec)
foreach(layer platform ui picture browse viewers app)
  set(LUMENO_FOLDER_${layer} ${layer})
endforeach()
foreach(layer ${LUMENO_LAYERS})
  file(GLOB LUMENO_${layer}_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/${LUMENO_FOLDER_${layer}}/*.cpp)
endforeach()
list(FILTER LUMENO_app_SOURCES EXCLUDE REGEX "/app/main\\.cpp$")
file(GLOB LUMENO_RESOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/resources/*)
file(GLOB LUMENO_WINE_TEST_SOURCES CONFIGURE_DEPENDS
  ${LUMENO_DIR}/tests/platform/*.cpp
  ${LUMENO_DIR}/tests/ui/*.cpp
  ${LUMENO_DIR}/tests/picture/*.cpp
  ${LUMENO_DIR}/tests/browse/*.cpp
  ${LUMENO_DIR}/tests/viewers/*.cpp
  ${LUMENO_DIR}/tests/app/*.cpp)
file(GLOB LUMENO_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/tests/codec/*.cpp)
file(GLOB LUMENO_FUZZ_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/fuzz/fuzz_*.cpp)
