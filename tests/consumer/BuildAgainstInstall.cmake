# Installs the build into a fresh prefix, builds the consumer project against it and runs it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${CMAKE_GENERATOR} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
# The Qt Designer plugin, when built, installs under the prefix's Qt plugin folder.
set(designer_plugin)
if(DESIGNER_PLUGIN)
    file(GLOB_RECURSE designer_plugin ${prefix}/*knotel_designer*)
    if(NOT designer_plugin MATCHES "/plugins/designer/[^/]+$")
        message(FATAL_ERROR "no Qt Designer plugin under ${prefix}")
    endif()
endif()
run(${WORK_DIR}/build/consumer ${designer_plugin})
