# Fails when a file of FOLDER includes another by a path that climbs out of
# the folder ("../app/x.h"): such a path is found beside the file itself,
# where no layer root can refuse it.
# usage: cmake -DFOLDER=dir -P climbing_includes.cmake
file(GLOB files ${FOLDER}/*.cpp ${FOLDER}/*.h)
set(found "")
foreach(file ${files})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line ${lines})
    string(APPEND found "\n  ${file}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "An include climbs out of its folder:${found}")
endif()
