# One static library per layer, linking only the layers below it. A layer's
# include root is a folder in the build tree holding one link, to the
# layer's own source folder; the layers it links bring their roots. So an
# include that reaches up names a file no root has, and does not build; one
# that climbs from the file's own folder ("../app/x.h") is refused by a check
# that runs before the layer compiles.
include(${CMAKE_CURRENT_LIST_DIR}/sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/flags.cmake)

# Checks the includes of `folder` before `target` builds.
function(lumeno_check_includes target folder)
  set(stamp ${CMAKE_BINARY_DIR}/layers/${target}.includes)
  file(GLOB files CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  set(check ${LUMENO_DIR}/cmake/climbing_includes.cmake)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -P ${check}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files} ${check}
    COMMENT "Checking the includes of ${target}")
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

function(lumeno_layer layer)  # then the layers below it
  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  set(folder ${LUMENO_FOLDER_${layer}})
  if(NOT IS_SYMLINK ${root}/${folder})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${LUMENO_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  add_library(${layer} STATIC ${LUMENO_${layer}_SOURCES})
  target_include_directories(${layer} PUBLIC ${root})
  # Not for the resource compiler.
  target_compile_options(${layer} PUBLIC "$<$<COMPILE_LANGUAGE:CXX>:${LUMENO_FLAGS}>")
  target_link_libraries(${layer} PUBLIC ${ARGN})
  lumeno_check_includes(${layer} ${LUMENO_DIR}/${folder})
endfunction()

# The program's layers; the build links libjpeg to codec itself.
function(lumeno_program_layers)
  lumeno_layer(codec)
  lumeno_layer(platform)
  lumeno_layer(ui platform ${LUMENO_LIBS})
  lumeno_layer(picture codec platform ui)
  lumeno_layer(browse picture platform ui)
  lumeno_layer(viewers picture ui)
  lumeno_layer(app browse viewers picture ui)
endfunction()
