# Delay-import libraries: the DLL is loaded at the first call into it rather than as the
# program starts. For the DLLs that the program needs only after its window is shown; each one
# loaded at start costs milliseconds under Wine. The functions called are listed, so a new one
# fails to link until it is added here.
#
# landou_delay_import(TARGET DLL FUNCTIONS...) links TARGET (and what links it) to DLL so.
function(landou_delay_import target dll)
  get_filename_component(name ${dll} NAME_WE)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}-delay.def)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}-delay.a)
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${library}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${name}-delay DEPENDS ${library})
  add_dependencies(${target} ${name}-delay)
  target_link_libraries(${target} PUBLIC ${library})
endfunction()
