# Finds what the Python module (python/) is built with: the Python interpreter that Debian's PyQt6
# serves, with PyQt6 (python3-pyqt6), PyQt6's .sip files (pyqt6-dev), sip-build (sip-tools) with
# PyQt-builder (python3-pyqtbuild), Python's headers (python3-dev), and Qt's qmake, which
# PyQt-builder asks about the Qt installation.
#
# PyQt6Bindings_PYTHON_EXECUTABLE (cache) is the interpreter: /usr/bin/python3 unless set, never a
# python3 found first on PATH (a pyenv or venv one has no system PyQt6).
#
# Sets PyQt6Bindings_FOUND and
#   PyQt6Bindings_SIP_BUILD         the sip-build script, run with the interpreter
#   PyQt6Bindings_QMAKE             Qt's qmake
#   PyQt6Bindings_SIP_DIR           PyQt6's .sip files
#   PyQt6Bindings_ABI_VERSION       the ABI of PyQt6's sip module, which the module is generated for
#   PyQt6Bindings_INCLUDE_DIR       the folder of Python.h
#   PyQt6Bindings_EXTENSION_SUFFIX  how an extension module's file name ends (.cpython-311-x86_64-linux-gnu.so)
#   PyQt6Bindings_PACKAGE_DIR       the interpreter's package folder relative to an install prefix
#                                   (lib/python3/dist-packages on Debian)
#   PyQt6Bindings_MISSING           what is missing, in words, when not found

set(PyQt6Bindings_PYTHON_EXECUTABLE /usr/bin/python3 CACHE FILEPATH
    "The Python interpreter whose PyQt6 the Python module is built for")

set(PyQt6Bindings_MISSING)
set(_pyqt6b_probe [=[
import os, sys, sysconfig

def say(key, value):
    print(f"{key}={value}")

try:
    import PyQt6
    from PyQt6 import QtCore, QtWidgets
    say("PYQT_VERSION", QtCore.PYQT_VERSION_STR)
    say("QT_VERSION", QtCore.QT_VERSION_STR)
    sip_dir = os.path.join(os.path.dirname(PyQt6.__file__), "bindings")
    toml = os.path.join(sip_dir, "QtCore", "QtCore.toml")
    if os.path.isfile(os.path.join(sip_dir, "QtWidgets", "QtWidgetsmod.sip")) and os.path.isfile(toml):
        say("SIP_DIR", sip_dir)
        for line in open(toml, encoding="utf-8"):
            key, _, value = line.partition("=")
            if key.strip() == "sip-abi-version":
                say("ABI_VERSION", value.strip().strip('"'))
    else:
        say("MISSING", "PyQt6's .sip files (pyqt6-dev)")
except ImportError:
    say("MISSING", "PyQt6 (python3-pyqt6)")
try:
    import sipbuild
    if sipbuild.SIP_VERSION < 0x060700:
        say("MISSING", "sip 6.7 or later (sip-tools)")
except ImportError:
    say("MISSING", "sip-build (sip-tools)")
try:
    import pyqtbuild
except ImportError:
    say("MISSING", "PyQt-builder (python3-pyqtbuild)")
include = sysconfig.get_path("include")
if os.path.isfile(os.path.join(include, "Python.h")):
    say("INCLUDE_DIR", include)
else:
    say("MISSING", "Python.h (python3-dev)")
say("EXTENSION_SUFFIX", sysconfig.get_config_var("EXT_SUFFIX"))
scheme = "deb_system" if "deb_system" in sysconfig.get_scheme_names() else "posix_prefix"
packages = sysconfig.get_path("platlib", scheme, vars={"base": "/@", "platbase": "/@"})
say("PACKAGE_DIR", os.path.relpath(packages, "/@"))
]=])

if(NOT EXISTS "${PyQt6Bindings_PYTHON_EXECUTABLE}")
    list(APPEND PyQt6Bindings_MISSING "the Python interpreter ${PyQt6Bindings_PYTHON_EXECUTABLE}")
else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONNOUSERSITE=1 --unset=PYTHONPATH --unset=PYTHONHOME
                            ${PyQt6Bindings_PYTHON_EXECUTABLE} -c "${_pyqt6b_probe}"
        OUTPUT_VARIABLE _pyqt6b_output ERROR_VARIABLE _pyqt6b_errors RESULT_VARIABLE _pyqt6b_result)
    if(NOT _pyqt6b_result EQUAL 0)
        list(APPEND PyQt6Bindings_MISSING "a working ${PyQt6Bindings_PYTHON_EXECUTABLE} (${_pyqt6b_errors})")
    endif()
    string(REPLACE "\n" ";" _pyqt6b_lines "${_pyqt6b_output}")
    foreach(_pyqt6b_line IN LISTS _pyqt6b_lines)
        if(_pyqt6b_line MATCHES "^([A-Z_]+)=(.*)$")
            if(CMAKE_MATCH_1 STREQUAL "MISSING")
                list(APPEND PyQt6Bindings_MISSING "${CMAKE_MATCH_2}")
            else()
                set(PyQt6Bindings_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
            endif()
        endif()
    endforeach()

    # The sip-build of the interpreter's own installation, run with that interpreter.
    get_filename_component(_pyqt6b_bin "${PyQt6Bindings_PYTHON_EXECUTABLE}" DIRECTORY)
    find_program(PyQt6Bindings_SIP_BUILD sip-build HINTS ${_pyqt6b_bin} NO_DEFAULT_PATH)
    if(NOT PyQt6Bindings_SIP_BUILD)
        list(APPEND PyQt6Bindings_MISSING "sip-build beside ${PyQt6Bindings_PYTHON_EXECUTABLE} (sip-tools)")
    endif()
endif()

if(TARGET Qt6::qmake)
    get_target_property(PyQt6Bindings_QMAKE Qt6::qmake IMPORTED_LOCATION)
endif()
if(NOT PyQt6Bindings_QMAKE)
    list(APPEND PyQt6Bindings_MISSING "Qt's qmake (qt6-base-dev-tools)")
endif()
# PyQt6 and the library must share one Qt: a module built for another Qt would not load.
if(PyQt6Bindings_QT_VERSION AND Qt6_VERSION)
    string(REGEX MATCH "^[0-9]+\\.[0-9]+" _pyqt6b_qt "${PyQt6Bindings_QT_VERSION}")
    string(REGEX MATCH "^[0-9]+\\.[0-9]+" _pyqt6b_ours "${Qt6_VERSION}")
    if(_pyqt6b_qt VERSION_GREATER _pyqt6b_ours)
        list(APPEND PyQt6Bindings_MISSING
             "a PyQt6 for Qt ${_pyqt6b_ours} (PyQt6 is for Qt ${PyQt6Bindings_QT_VERSION})")
    endif()
endif()
list(JOIN PyQt6Bindings_MISSING ", " _pyqt6b_missing_text)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(PyQt6Bindings
    REQUIRED_VARS PyQt6Bindings_SIP_BUILD PyQt6Bindings_QMAKE PyQt6Bindings_SIP_DIR PyQt6Bindings_ABI_VERSION
                  PyQt6Bindings_INCLUDE_DIR PyQt6Bindings_EXTENSION_SUFFIX PyQt6Bindings_PACKAGE_DIR
    VERSION_VAR PyQt6Bindings_PYQT_VERSION
    REASON_FAILURE_MESSAGE "${_pyqt6b_missing_text}"
)
if(PyQt6Bindings_MISSING)
    set(PyQt6Bindings_FOUND FALSE)
endif()
unset(_pyqt6b_probe)
