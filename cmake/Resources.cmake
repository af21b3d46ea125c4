# Resources for programs of the desktop: the .rc is compiled with windres into a standard .res,
# which is embedded in the executable's section .winsim_res between the symbols
# winsim_res_begin and winsim_res_end.
find_program(WINSIM_WINDRES NAMES i686-w64-mingw32-windres x86_64-w64-mingw32-windres windres REQUIRED)
enable_language(ASM)

function(winsim_embed_resources target rc)
  get_filename_component(name ${rc} NAME_WE)
  get_filename_component(rcdir ${rc} DIRECTORY)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}.res)
  file(GLOB deps CONFIGURE_DEPENDS ${rcdir}/*)
  add_custom_command(OUTPUT ${res}
    COMMAND ${WINSIM_WINDRES} -O res --include-dir ${rcdir} -i ${rc} -o ${res}
    DEPENDS ${deps}
    COMMENT "Compiling resources of ${target}")
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}_res.S)
  file(WRITE ${asm}
    ".section .winsim_res,\"a\"\n"
    ".global winsim_res_begin\nwinsim_res_begin:\n"
    ".incbin \"${res}\"\n"
    ".global winsim_res_end\nwinsim_res_end:\n"
    ".section .note.GNU-stack,\"\",@progbits\n")
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res})
  target_sources(${target} PRIVATE ${asm})
endfunction()
