# Debian packages of the build, one per install component, made by CPack's DEB generator:
#
#   cpack -G DEB --config <build>/CPackConfig.cmake   (packages land in <build>/packages/)
#
# Each component is a package; a component that the build does not have (a part switched off) has
# no package. Dependencies on Debian's packages are computed when the packages are made (see
# cmake/CPackDebian.cmake.in), the packages' dependencies on each other come from the component
# graph below. Configure with -DCMAKE_INSTALL_PREFIX=/usr so that the paths are Debian's
# (GNUInstallDirs then uses the multiarch library folder, the QML module goes into Qt's).
#
# Included at the end of the top-level CMakeLists.txt, after every part has declared its installs.

set(KNOTEL_PACKAGE_MAINTAINER "Knotel developers <knotel@example.org>" CACHE STRING
    "Maintainer field of the Debian packages")

# The Debian name of the runtime package follows the library's SONAME, libKnotel.so.1.
set(knotel_runtime_package libknotel${PROJECT_VERSION_MAJOR})
set(knotel_about "Knotel's Curve is a plot with two numeric axes, grid, scales, limit lines
and an actual-value marker, showing a piecewise-linear curve of up to 64 break
points that the user drags with the mouse or moves from the keyboard.")

# knotel_package(<component> <package> <section> <synopsis> <description> [DEPENDS <component>...])
# makes <component> the Debian package <package>; the lines of <description> are at most 79
# characters long.
set(knotel_components)
macro(knotel_package component package section synopsis description)
    cmake_parse_arguments(arg "" "" "DEPENDS" ${ARGN})
    list(APPEND knotel_components ${component})
    string(TOUPPER ${component} c)
    set(knotel_${component}_package ${package})
    set(CPACK_DEBIAN_${c}_PACKAGE_NAME ${package})
    set(CPACK_DEBIAN_${c}_PACKAGE_SECTION ${section})
    set(CPACK_DEBIAN_${c}_DESCRIPTION "${synopsis}\n${description}")
    set(CPACK_COMPONENT_${c}_DEPENDS ${arg_DEPENDS})
endmacro()

knotel_package(runtime ${knotel_runtime_package} libs "curve-editing control for Qt 6 widgets"
    "${knotel_about}\n.\nThis package contains the shared library.")
knotel_package(development libknotel-dev libdevel "curve-editing control for Qt 6 widgets - development files"
    "${knotel_about}\n.\nThis package contains the headers, the CMake package (find_package(Knotel))
and the pkg-config file (knotel.pc)." DEPENDS runtime)
knotel_package(qml qml6-module-knotel libs "curve-editing control for Qt 6 - QML module"
    "The QML module Knotel has the Curve item: the Knotel control in Qt Quick,
on the same engine as the widget, with the same picture and editing rules." DEPENDS runtime)
knotel_package(python python3-knotel python "curve-editing control for Qt 6 - PyQt6 module"
    "The Python module knotel makes the Knotel Curve control a PyQt6 widget
(from knotel import Curve), with its properties, the DroppedValue signal, the
point list and the late-bound face." DEPENDS runtime)
knotel_package(designer knotel-designer-plugin devel "curve-editing control for Qt 6 - Qt Designer plugin"
    "The plugin puts the Knotel Curve control into Qt Designer's widget box, with
its properties in the property editor, and lets QUiLoader create it." DEPENDS runtime)
knotel_package(doc knotel-doc doc "curve-editing control for Qt 6 - reference documentation"
    "The reference of the Knotel library, its QML module and its Python module,
in HTML and as a Qt help file (knotel.qch) for Qt Creator and Qt Assistant.")
knotel_package(bench knotelbench devel "evaluation program for the Knotel curve control"
    "Knotelbench is one window with a Knotel Curve control, a text box per
property and buttons that read and write points, fill random values, read
and set the changed flags, pick colours and force a repaint." DEPENDS runtime)
set(CPACK_DEBIAN_DOC_PACKAGE_ARCHITECTURE all)

# The reference, when the build makes it, installs with docs/CMakeLists.txt's rules.

# The components the install rules name: a part that is not built installs nothing.
get_cmake_property(installed_components COMPONENTS)

# Every package carries the copyright file and the changelog in /usr/share/doc/<package>/; the
# changelog is CHANGELOG.md in Debian's format (these are native packages: changelog.gz).
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
execute_process(
    COMMAND awk -v package=knotel -v "maintainer=${KNOTEL_PACKAGE_MAINTAINER}"
            -f ${PROJECT_SOURCE_DIR}/packaging/debian-changelog.awk ${PROJECT_SOURCE_DIR}/CHANGELOG.md
    OUTPUT_FILE ${changelog} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip --best --no-name --force ${changelog} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
    ${PROJECT_SOURCE_DIR}/packaging/debian-changelog.awk)

set(CPACK_COMPONENTS_ALL)
foreach(component IN LISTS knotel_components)
    if(component IN_LIST installed_components)
        list(APPEND CPACK_COMPONENTS_ALL ${component})
        install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog}.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${knotel_${component}_package} COMPONENT ${component})
    endif()
endforeach()
foreach(component IN LISTS installed_components)
    if(NOT component IN_LIST knotel_components)
        message(AUTHOR_WARNING "Knotel: install component '${component}' has no Debian package")
    endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME knotel)
set(CPACK_PACKAGE_VENDOR "The Knotel developers")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KNOTEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The runtime package's shlibs file (a program linked to libKnotel.so.1 needs this version or a
# later 1.x) and its trigger of ldconfig.
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/packaging/runtime/shlibs CONTENT
    "$<TARGET_FILE_PREFIX:Knotel>$<TARGET_FILE_BASE_NAME:Knotel> $<TARGET_PROPERTY:Knotel,SOVERSION> \
${knotel_runtime_package} (>= ${PROJECT_VERSION})\n")
file(WRITE ${PROJECT_BINARY_DIR}/packaging/runtime/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${PROJECT_BINARY_DIR}/packaging/runtime/shlibs ${PROJECT_BINARY_DIR}/packaging/runtime/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# In /usr the library is in the linker's own path: the staged files lose their run paths.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CPackRemoveRunPaths.cmake)
# Dependencies computed when the packages are made, from the interpreter and the QML module's
# qmldir of this build.
set(KNOTEL_PYTHON_EXECUTABLE)
set(KNOTEL_PYTHON_INCLUDE_DIRS)
if(TARGET knotel_python)
    set(KNOTEL_PYTHON_EXECUTABLE ${PyQt6Bindings_PYTHON_EXECUTABLE})
    set(KNOTEL_PYTHON_INCLUDE_DIRS "$<TARGET_PROPERTY:knotel_python,INCLUDE_DIRECTORIES>")
endif()
set(KNOTEL_QMLDIR_FILE)
if(TARGET knotel_quickplugin)
    set(KNOTEL_QMLDIR_FILE "$<TARGET_PROPERTY:knotel_quickplugin,QT_QML_MODULE_OUTPUT_DIRECTORY>/qmldir")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/CPackDebian.cmake.in ${PROJECT_BINARY_DIR}/CPackDebian.cmake.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/CPackDebian.cmake INPUT ${PROJECT_BINARY_DIR}/CPackDebian.cmake.in)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackDebian.cmake)

include(CPack)
