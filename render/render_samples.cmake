# Renders every result file in DATA with CLI, with no display: the charts as
# GIF and the sheets as PNG into OUT, then checks that each picture is there
# with the right size, read from its file header.
#   cmake -DCLI=... -DDATA=... -DOUT=... [-DEMULATOR=wine] -P render_samples.cmake

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/charts" "${OUT}/sheets")
file(GLOB samples "${DATA}/*.cry" "${DATA}/*.txt")
if(NOT samples)
  message(FATAL_ERROR "no result files in ${DATA}")
endif()

foreach(run IN ITEMS "charts" "sheets")
  if(run STREQUAL "charts")
    set(options "")
  else()
    set(options --sheet --format png)
  endif()
  execute_process(COMMAND ${EMULATOR} "${CLI}" render ${options} -o "${OUT}/${run}" ${samples}
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "render of the ${run} ended with ${status}:\n${errors}")
  endif()
endforeach()

list(LENGTH samples count)
foreach(sample IN LISTS samples)
  get_filename_component(name "${sample}" NAME_WLE)
  # GIF: signature, then width and height, little-endian: 1020 × 424.
  file(READ "${OUT}/charts/${name}.gif" gif LIMIT 10 HEX)
  if(NOT gif MATCHES "^474946383[79]61fc03a801$")
    message(FATAL_ERROR "${name}.gif is no 1020 x 424 GIF: ${gif}")
  endif()
  # PNG: the IHDR chunk's width and height, big-endian: 1024 × 721.
  file(READ "${OUT}/sheets/${name}.png" png LIMIT 24 HEX)
  if(NOT png MATCHES "^89504e470d0a1a0a0000000d4948445200000400000002d1$")
    message(FATAL_ERROR "${name}.png is no 1024 x 721 PNG: ${png}")
  endif()
endforeach()
message(STATUS "rendered ${count} result files into ${OUT}")
