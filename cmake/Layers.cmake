# Layers: a library per folder, each with an include root of its own that holds a link to its
# folder and nothing else. A target sees the roots of the libraries it links, so
# "commands/CommandList.h" is found from playback/, while "app/Application.h" is not found from
# commands/: an include from a lower layer to a higher one fails to compile.
#
# landou_layer(TARGET FOLDER [STATIC|INTERFACE] SOURCES...)
function(landou_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  set(link ${root}/${folder})
  if(NOT IS_SYMLINK ${link})
    get_filename_component(parent ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${link} RESULT failed SYMBOLIC)
    if(failed)
      # A host without symbolic links (Windows without the right): the tree's root serves, and
      # the layers are checked by the builds that have them.
      set(root ${CMAKE_SOURCE_DIR})
    endif()
  endif()
  if(ARGV2 STREQUAL "INTERFACE")
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
  else()
    add_library(${target} STATIC ${ARGN})
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Windows code: wide APIs only, Windows 10 headers.
function(landou_windows_definitions target scope)
  target_compile_definitions(${target} ${scope} UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endfunction()
