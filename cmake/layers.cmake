# One static library per layer, linking only the layers below it. A layer's
# include root is a folder in the build tree holding one link, to the
# layer's own source folder; the layers it links bring their roots. So an
# include that reaches up names a file no root has, and does not build.
include(${CMAKE_CURRENT_LIST_DIR}/sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/flags.cmake)

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
