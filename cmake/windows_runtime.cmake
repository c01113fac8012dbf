# Install-time part of windows_package.cmake: copies the DLLs that the
# executables import, and the DLLs those import in turn, from the given
# folders into the program folder. Windows matches DLL names without regard
# to case; so does this, so that it works on a case-sensitive build host too.
#   TAVO_RUNTIME_EXECUTABLES  the executables
#   TAVO_RUNTIME_DIRECTORIES  where their DLLs are looked for
#   TAVO_RUNTIME_DESTINATION  the program folder

cmake_policy(VERSION 3.25)

foreach(dir IN LISTS TAVO_RUNTIME_DIRECTORIES)
  file(GLOB found "${dir}/*.dll")
  foreach(dll IN LISTS found)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" key)
    if(NOT DEFINED "dll_${key}")
      set("dll_${key}" "${dll}")
    endif()
  endforeach()
endforeach()

set(pending ${TAVO_RUNTIME_EXECUTABLES})
set(copied "")
while(pending)
  file(GET_RUNTIME_DEPENDENCIES
    LIBRARIES ${pending}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    DIRECTORIES ${TAVO_RUNTIME_DIRECTORIES}
    # Qt's, giflib's and MinGW's runtime DLLs travel with the program; the
    # system's own (kernel32, user32, the C runtime, ...) are always there,
    # and MSVC's runtime is installed by InstallRequiredSystemLibraries.
    PRE_INCLUDE_REGEXES "^qt6" "^gif" "^lib(stdc\\+\\+|gcc_s|winpthread|gif)"
    PRE_EXCLUDE_REGEXES ".*")
  set(pending "")
  foreach(item IN LISTS resolved unresolved)
    get_filename_component(name "${item}" NAME)
    string(TOLOWER "${name}" key)
    if(key IN_LIST copied)
      continue()
    endif()
    if(NOT DEFINED "dll_${key}")
      message(FATAL_ERROR "${name} is needed but is in none of: ${TAVO_RUNTIME_DIRECTORIES}")
    endif()
    list(APPEND copied "${key}")
    list(APPEND pending "${dll_${key}}")
    file(INSTALL DESTINATION "${TAVO_RUNTIME_DESTINATION}" TYPE SHARED_LIBRARY FILES "${dll_${key}}")
  endforeach()
endwhile()
