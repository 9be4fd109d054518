# Configures the host project beside this script, which adds Kinemorphix with add_subdirectory,
# builds what reads the project's own files (the embedded resources, the help page, the sample
# maker), runs the sample check and looks at what they made. The editor itself is left out: it
# takes minutes and reads nothing more of the project's files.
#   cmake -DKINEMORPHIX_DIR=<checkout> -DBINARY=<folder> -DGENERATOR=<generator> -DGUI=ON|OFF
#         -P BuildAsSubproject.cmake
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(JOIN " " command ${ARGN})
    message(FATAL_ERROR "${output}\nFailed (${result}): ${command}")
  endif()
endfunction()

file(REMOVE_RECURSE "${BINARY}")
run(${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${BINARY} -G ${GENERATOR}
  -DKINEMORPHIX_DIR=${KINEMORPHIX_DIR} -DKMX_BUILD_GUI=${GUI} -DKMX_BUILD_TESTS=ON -DKMX_BUILD_BENCH=OFF)
set(targets kmx_app_logic kmx_make_sample_scene)
if(GUI)
  list(APPEND targets kinemorphix_help)
endif()
if(NOT DEFINED ENV{CMAKE_BUILD_PARALLEL_LEVEL})
  set(ENV{CMAKE_BUILD_PARALLEL_LEVEL} 4)
endif()
run(${CMAKE_COMMAND} --build ${BINARY} --target ${targets})
run(${CMAKE_CTEST_COMMAND} --test-dir ${BINARY} -R "^SampleScene\\." --no-tests=error --output-on-failure)

file(READ ${BINARY}/kinemorphix/generated/EmbeddedResources.cpp embedded)
if(NOT embedded MATCHES "\"icons/kinemorphix.svg\"")
  message(FATAL_ERROR "The embedded resources lack the program's icon")
endif()
if(GUI AND NOT EXISTS ${BINARY}/bin/Kinemorphix.html)
  message(FATAL_ERROR "The help page is not in the host's folder for programs, beside the editor")
endif()
