# The program's version: set here and nowhere else. Included by both builds,
# and run as a script at every build to write the header that the resources
# read, with the commit the program is built from.
set(LUMENO_VERSION 1.0.0)

if(CMAKE_SCRIPT_MODE_FILE)
  # usage: cmake -DSOURCE=DIR -DOUT=FILE -P version.cmake
  execute_process(COMMAND git -C ${SOURCE} rev-parse --short=12 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(commit unknown)
  else()
    execute_process(COMMAND git -C ${SOURCE} log -1 --format=%cd --date=format:%Y
      OUTPUT_VARIABLE year OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(APPEND year " ")
    # A build from changed files is not a build of that commit.
    execute_process(COMMAND git -C ${SOURCE} --no-optional-locks status --porcelain --untracked-files=no
      OUTPUT_VARIABLE changes)
    if(changes)
      string(APPEND commit "-dirty")
    endif()
  endif()
  string(REPLACE "." "," numbers "${LUMENO_VERSION}.0")
  file(CONFIGURE OUTPUT ${OUT} @ONLY CONTENT
"#define LUMENO_VERSION_TEXT \"${LUMENO_VERSION}\"
#define LUMENO_VERSION_NUMBERS ${numbers}
#define LUMENO_PRODUCT_VERSION \"${LUMENO_VERSION}+${commit}\"
#define LUMENO_COPYRIGHT \"Copyright (C) ${year}Korvel software\"
")
  return()
endif()

# The target that keeps OUT current; the file changes only when its text does.
function(lumeno_version_header out)
  add_custom_target(lumeno_version
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${LUMENO_DIR} -DOUT=${out} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    BYPRODUCTS ${out}
    COMMENT "Version and commit")
endfunction()
