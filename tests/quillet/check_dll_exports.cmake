# Checks a built Quillet.dll without running it, so that the x86 build is checked even where
# 32-bit Wine cannot run: its export directory names Quillet.dll and exactly the two undecorated
# exports; in the x86 build each export removes its 12 bytes of arguments (standard calling
# convention); and it imports no MinGW runtime DLL, so it loads with nothing beside it.
# Usage: cmake -DDLL=path -DOBJDUMP=objdump -P check_dll_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${rc}")
endif()

if(NOT dump MATCHES "\nName[ \t]+[0-9a-f]+ Quillet\\.dll\n")
  message(FATAL_ERROR "expected the export directory to name Quillet.dll")
endif()

if(NOT dump MATCHES "\\[Ordinal/Name Pointer\\] Table\n(([^\n]+\n)*)")
  message(FATAL_ERROR "${DLL} has no export name table")
endif()
# Names only: a "]" left in a CMake list element would upset the list's splitting.
string(REGEX REPLACE "[^\n]*\\] ([^\n]+)\n" "\\1;" exports "${CMAKE_MATCH_1}")
list(SORT exports)
if(NOT exports STREQUAL "KVO_PostMsg;KVO_Strtol")
  message(FATAL_ERROR "expected exports KVO_PostMsg;KVO_Strtol, got '${exports}'")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import IN LISTS imports)
  if(import MATCHES "[Ll]ibgcc|[Ll]ibstdc|[Ll]ibwinpthread")
    message(FATAL_ERROR "Quillet.dll imports a MinGW runtime DLL: ${import}")
  endif()
endforeach()

if(dump MATCHES "file format pei-i386")
  execute_process(COMMAND ${OBJDUMP} -d ${DLL} OUTPUT_VARIABLE code RESULT_VARIABLE rc)
  foreach(name IN ITEMS KVO_PostMsg KVO_Strtol)
    if(NOT code MATCHES "<_${name}@12>:\n(([^\n]+\n)*)")
      message(FATAL_ERROR "no code for _${name}@12: not compiled with the standard convention")
    endif()
    if(NOT CMAKE_MATCH_1 MATCHES "ret +\\$0xc")
      message(FATAL_ERROR "${name} does not remove its 12 bytes of arguments (ret $0xc)")
    endif()
  endforeach()
endif()
