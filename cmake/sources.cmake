# The one source list: the Winelib build, the Windows build and the native
# codec build all read it.
set(LUMENO_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
file(GLOB LUMENO_CODEC_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/picture/codec/*.cpp)
file(GLOB LUMENO_CORE_SOURCES CONFIGURE_DEPENDS
  ${LUMENO_DIR}/ui/*.cpp
  ${LUMENO_DIR}/picture/*.cpp
  ${LUMENO_DIR}/browse/*.cpp
  ${LUMENO_DIR}/viewers/*.cpp
  ${LUMENO_DIR}/app/*.cpp)
list(FILTER LUMENO_CORE_SOURCES EXCLUDE REGEX "/app/main\\.cpp$")
list(APPEND LUMENO_CORE_SOURCES ${LUMENO_CODEC_SOURCES})
file(GLOB LUMENO_RESOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/resources/*)
file(GLOB LUMENO_WINE_TEST_SOURCES CONFIGURE_DEPENDS
  ${LUMENO_DIR}/tests/ui/*.cpp
  ${LUMENO_DIR}/tests/picture/*.cpp
  ${LUMENO_DIR}/tests/browse/*.cpp
  ${LUMENO_DIR}/tests/viewers/*.cpp
  ${LUMENO_DIR}/tests/app/*.cpp)
file(GLOB LUMENO_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/tests/codec/*.cpp)
file(GLOB LUMENO_FUZZ_SOURCES CONFIGURE_DEPENDS ${LUMENO_DIR}/fuzz/fuzz_*.cpp)
