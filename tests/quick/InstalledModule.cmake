# Installs the build into a fresh prefix and runs the QML test cases against the module there, as
# an application finds it through its import path.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed (${result})")
endif()
set(import_dir ${prefix}/${QML_DIR})
if(NOT EXISTS ${import_dir}/Knotel/qmldir)
    message(FATAL_ERROR "no QML module Knotel under ${import_dir}")
endif()
# Nothing of the build tree on the way: the installed plugin finds the installed library itself.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH QML_IMPORT_PATH=${import_dir}
        ${QML_TEST} -import ${import_dir} -input ${QML_FILE}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the QML test cases failed against the installed module (${result})")
endif()
# qmllint, as a QML programmer's tools see the installed module: the example and the test cases
# resolve every type and property.
execute_process(COMMAND ${QMLLINT} -I ${import_dir} ${QML_FILES} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "qmllint found unresolved types or members (${result})")
endif()
