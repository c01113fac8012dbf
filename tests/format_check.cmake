# Fails when a C++ source of the project differs from what clang-format makes
# of it, naming the files.
set(sources)
foreach(folder app cli display export files geometry platform profile render resultfile text tests)
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  list(APPEND sources ${found})
endforeach()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE result ERROR_VARIABLE findings)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "not formatted with clang-format:\n${findings}")
endif()
