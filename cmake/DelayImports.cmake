# System DLLs that the first window does not use, bound at their first call instead of when the
# process starts: under Wine each one loaded at start costs the first window milliseconds (make
# bench prints the start-up steps). Only the functions named in delay-imports/<dll>.def are
# delayed; anything else of the same DLL still comes through its ordinary import library, which
# this target links right after the delayed ones.
set(MORAVEL_DELAY_DLLS comdlg32 ole32 shell32 winspool ws2_32)
set(delay_libs)
foreach(dll ${MORAVEL_DELAY_DLLS})
  set(def ${CMAKE_CURRENT_LIST_DIR}/delay-imports/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay-imports/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-imports
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  list(APPEND delay_libs ${lib})
endforeach()
add_custom_target(moravel_delay_import_libs DEPENDS ${delay_libs})
add_library(moravel_delay_imports INTERFACE)
target_link_libraries(moravel_delay_imports INTERFACE ${delay_libs} ${MORAVEL_DELAY_DLLS})
add_dependencies(moravel_delay_imports moravel_delay_import_libs)
