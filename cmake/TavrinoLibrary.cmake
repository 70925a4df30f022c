# One static library per source folder. Sources include headers by folder
# ("song/midi_song.h"), so a library's include path holds only a link to its
# own folder, and linking another library adds that library's folder. A
# header from a folder a library may not use is then not found, and a
# wrong-way include fails to build.
#
#   tavrino_library(NAME [QT] SOURCES file... [USES target...])
#
# USES is public: whoever uses a library may include what its headers
# include. QT turns on Qt's meta-object and resource compilers.
function(tavrino_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;USES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
  set(exposed "${PROJECT_BINARY_DIR}/include/${name}")
  file(MAKE_DIRECTORY "${exposed}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${exposed}/${folder}" SYMBOLIC)
  target_include_directories(${name} PUBLIC "${exposed}")
  target_link_libraries(${name} PUBLIC ${ARG_USES})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# A header-only library that exposes only the named headers of the current
# folder: the interfaces a lower layer implements for an upper one.
#
#   tavrino_interfaces(NAME HEADERS file... [USES target...])
function(tavrino_interfaces name)
  cmake_parse_arguments(ARG "" "" "HEADERS;USES" ${ARGN})
  add_library(${name} INTERFACE)
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
  set(exposed "${PROJECT_BINARY_DIR}/include/${name}")
  file(MAKE_DIRECTORY "${exposed}/${folder}")
  foreach(header IN LISTS ARG_HEADERS)
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}/${header}" "${exposed}/${folder}/${header}" SYMBOLIC)
  endforeach()
  target_include_directories(${name} INTERFACE "${exposed}")
  target_link_libraries(${name} INTERFACE ${ARG_USES})
endfunction()
