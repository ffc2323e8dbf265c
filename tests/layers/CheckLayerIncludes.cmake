# Checks that every file below SOURCE_DIR includes only headers of its own
# layer or of the layers below it, and that only the Qt layers include Qt.
#
#   cmake -DSOURCE_DIR=<folder with one sub-folder per layer>
#         -DLAYER_RULES=<layer>:<below>,<below>|<layer>:...
#         -DQT_LAYERS=<layer>[,<layer>] -P CheckLayerIncludes.cmake
#
# A layer named in no rule is itself a breach: every folder must take its place.

cmake_minimum_required(VERSION 3.25)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "SOURCE_DIR '${SOURCE_DIR}' is not a folder")
endif()

string(REPLACE "|" ";" rules "${LAYER_RULES}")
set(layers "")
foreach(rule IN LISTS rules)
  if(rule STREQUAL "")
    continue()
  endif()
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 layer)
  list(LENGTH parts count)
  set(below "")
  if(count GREATER 1)
    list(GET parts 1 below)
    string(REPLACE "," ";" below "${below}")
  endif()
  list(APPEND layers ${layer})
  set(below_${layer} ${below})
endforeach()
if(layers STREQUAL "")
  message(FATAL_ERROR "LAYER_RULES names no layer")
endif()

# What a layer may include: itself and everything below it, however deep.
foreach(layer IN LISTS layers)
  set(reach ${layer})
  set(pending ${below_${layer}})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND pending ${below_${next}})
    endif()
  endwhile()
  set(reach_${layer} ${reach})
endforeach()

string(REPLACE "," ";" qt_layers "${QT_LAYERS}")
set(breaches "")
set(checked 0)

file(GLOB folders LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${folder}")
    continue()
  endif()
  if(NOT folder IN_LIST layers)
    list(APPEND breaches "${folder}/ is no layer: give it a place in the layer rules")
    continue()
  endif()
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
       "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  list(SORT files)
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]*[>\"]).*$" "\\1" target "${line}")
      string(REGEX REPLACE "^[<\"]([^/>\"]*)/.*$" "\\1" target_layer "${target}")
      if(NOT target_layer STREQUAL target AND target_layer IN_LIST layers
         AND NOT target_layer IN_LIST reach_${folder})
        list(APPEND breaches "${file} includes ${target}: ${target_layer} is not below ${folder}")
      elseif(target MATCHES "^<Q" AND NOT folder IN_LIST qt_layers)
        list(APPEND breaches "${file} includes ${target}: only ${QT_LAYERS} may use Qt")
      endif()
    endforeach()
  endforeach()
endforeach()

if(breaches)
  list(JOIN breaches "\n  " text)
  message(FATAL_ERROR "Includes that cross the layers:\n  ${text}")
endif()
message(STATUS "${checked} files include only their own layer and the layers below it")
