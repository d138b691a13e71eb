# Configures the project as a host with only Qt's widgets would: without GoogleTest, Google
# Benchmark, Qt Designer and a Python interpreter with PyQt6 every optional part is skipped with a
# message and the library still configures; a part asked for explicitly without its package is an
# error.
function(configure name)
    file(REMOVE_RECURSE ${WORK_DIR}/${name})
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK_DIR}/${name} -G ${CMAKE_GENERATOR}
            -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
            -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Designer=ON
            -DPyQt6Bindings_PYTHON_EXECUTABLE=${WORK_DIR}/no-python3 ${ARGN}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    set(result ${result} PARENT_SCOPE)
    set(output "${output}${errors}" PARENT_SCOPE)
endfunction()

configure(only_qt)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "configure with only Qt failed:\n${output}")
endif()
foreach(part "the tests" "the benchmarks" "the Qt Designer plugin" "the Python module")
    if(NOT output MATCHES "Knotel: ${part} not built: [^\n]+ not found")
        message(FATAL_ERROR "no message that ${part} are skipped:\n${output}")
    endif()
endforeach()

configure(tests_asked -DKNOTEL_BUILD_TESTS=ON)
if(result EQUAL 0 OR NOT output MATCHES "KNOTEL_BUILD_TESTS is ON but GTest not found")
    message(FATAL_ERROR "KNOTEL_BUILD_TESTS=ON without GoogleTest configured:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
