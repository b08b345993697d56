# cmake -DSOURCE=<dir> -DTARGET=<dir> -DICONV=<iconv> -P EncodeHelp.cmake
# The help's pages, contents and project, written in UTF-8, go into the code page that the help
# file declares (Chinese, PRC: GBK) and say so, as the help viewers read them.
file(GLOB files ${SOURCE}/*)
file(MAKE_DIRECTORY ${TARGET})
foreach(file IN LISTS files)
  get_filename_component(name ${file} NAME)
  file(READ ${file} text)
  string(REPLACE "charset=utf-8" "charset=gbk" text "${text}")
  file(WRITE ${TARGET}/${name}.utf-8 "${text}")
  execute_process(COMMAND ${ICONV} -f UTF-8 -t GBK ${TARGET}/${name}.utf-8
    OUTPUT_FILE ${TARGET}/${name} RESULT_VARIABLE failed)
  file(REMOVE ${TARGET}/${name}.utf-8)
  if(failed)
    message(FATAL_ERROR "${name} holds characters that GBK does not have")
  endif()
endforeach()
