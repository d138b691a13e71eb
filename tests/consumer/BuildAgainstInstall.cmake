# Installs the build into a fresh prefix, builds the consumer project against it and runs it, builds
# the C++ example, then builds and runs a host from the flags that the installed knotel.pc gives,
# and imports the installed Python module.
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
# The C++ example builds as a host of its own.
run(${CMAKE_COMMAND} -S ${EXAMPLE_DIR} -B ${WORK_DIR}/example -G ${CMAKE_GENERATOR} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/example)

# The Python module, when built, imports from the prefix's package folder and finds the library
# there on its own.
if(PYTHON_MODULE)
    run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH PYTHONPATH=${prefix}/${PYTHON_DIR} QT_QPA_PLATFORM=offscreen
        ${PYTHON} -c "import pathlib, sys, knotel, PyQt6.QtWidgets as w
assert knotel.__file__.startswith(sys.argv[1]), knotel.__file__
package = pathlib.Path(knotel.__file__).parent
assert knotel.__version__ and all((package / f).is_file() for f in ('py.typed', '__init__.pyi', '_knotel.pyi'))
app = w.QApplication([])
assert knotel.Curve().Dimensions == 7" ${prefix})
endif()

# pkg-config finds the installed package through PKG_CONFIG_PATH alone.
file(GLOB_RECURSE pc_file ${prefix}/*/knotel.pc)
if(NOT pc_file)
    message(FATAL_ERROR "no knotel.pc under ${prefix}")
endif()
get_filename_component(pc_dir ${pc_file} DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config --cflags --libs knotel
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config --cflags --libs knotel failed (${result})")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
# Qt's headers want position-independent code in applications.
run(${CXX} -std=c++17 -fPIC ${SOURCE_DIR}/pkgconfig_host.cpp ${flags} -o ${WORK_DIR}/pkgconfig_host)
get_filename_component(libdir ${pc_dir} DIRECTORY)
run(${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${libdir} ${WORK_DIR}/pkgconfig_host)
