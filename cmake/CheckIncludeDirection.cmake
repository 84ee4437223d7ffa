cmake_minimum_required(VERSION 3.25)
# Reads every #include "folder/..." line under src/ and fails when a file includes from a
# folder above its own in the chain base <- data <- diary, sky <- widgets <- views <- app,
# or when one folder includes another of its own level that it has no business using (the
# angler's records and the sky know nothing of each other, nor do the views).
#   cmake -DSOURCE_DIR=<src> -P CheckIncludeDirection.cmake
set(level_base 0)
set(level_data 1)
set(level_diary 2)
set(level_sky 2)
set(level_widgets 3)
set(level_calendar 4)
set(level_encyclopedia 4)
set(level_quiz 4)
set(level_guide 4)
set(level_catchlog 4)
set(level_app 5)
# A view may use another view only where the program says so: the two tests run their
# statements on the calendar's query dataset.
set(allowed_quiz calendar)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" from "${source}")
  if(NOT DEFINED level_${from})
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" to "${line}")
    if(NOT DEFINED level_${to} OR to STREQUAL from)
      continue()
    endif()
    if(level_${to} GREATER level_${from})
      list(APPEND faults "${source} includes from ${to}/, which lies above ${from}/")
    elseif(level_${to} EQUAL level_${from} AND NOT to IN_LIST allowed_${from})
      list(APPEND faults "${source} includes from ${to}/, which stands beside ${from}/")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes that point the wrong way:\n  ${text}")
endif()
message(STATUS "Includes point one way in ${SOURCE_DIR}")
