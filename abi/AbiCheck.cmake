# The binary interface of a shared library as libabigail sees it (abidw, abidiff from
# abigail-tools), limited to the types that its public headers define, less what
# qt-types.abignore leaves to Qt:
#
#   cmake -DACTION=dump  -DLIBRARY=<lib> -DHEADERS=<dir>[|<dir>...] -DOUTPUT=<file>   -P AbiCheck.cmake
#   cmake -DACTION=check -DLIBRARY=<lib> -DHEADERS=<dir>[|<dir>...] -DBASELINE=<file> -P AbiCheck.cmake
#
# dump writes the library's interface as the baseline of a release; check compares the library
# with a baseline and fails on every change that can break a program built against the baseline
# (a symbol gone or changed, a public type's size, layout or virtual table changed) and passes
# additions (new functions, classes and enumerators). The library needs its debug information
# (a RelWithDebInfo or Debug build). HEADERS are separated by "|"; folders that do not exist are
# skipped.

foreach(variable ACTION LIBRARY HEADERS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "AbiCheck: ${variable} not given")
    endif()
endforeach()

string(REPLACE "|" ";" header_dirs "${HEADERS}")
list(FILTER header_dirs INCLUDE REGEX ".")

# header_options(<variable> <option>): <option> <dir> for each folder of HEADERS.
function(header_options variable option)
    set(options)
    foreach(dir IN LISTS header_dirs)
        if(IS_DIRECTORY ${dir})
            list(APPEND options ${option} ${dir})
        endif()
    endforeach()
    set(${variable} ${options} PARENT_SCOPE)
endfunction()

# public_names(<variable>): a regular expression for the functions and variables of the public
# face: members of the classes and the functions that the public headers export (declared with a
# *_EXPORT macro). Classes and functions the library exports for its own plugins, declared in
# other headers, are left out.
function(public_names variable)
    set(classes)
    set(functions)
    foreach(dir IN LISTS header_dirs)
        file(GLOB headers ${dir}/*.h)
        foreach(header IN LISTS headers)
            file(STRINGS ${header} lines REGEX "_EXPORT ")
            foreach(line IN LISTS lines)
                if(line MATCHES "^ *(class|struct) +[A-Z_]+_EXPORT +([A-Za-z_0-9]+)")
                    list(APPEND classes ${CMAKE_MATCH_2})
                elseif(line MATCHES "^ *[A-Z_]+_EXPORT [^(]*[^A-Za-z_0-9]([A-Za-z_0-9]+) *\\(")
                    list(APPEND functions ${CMAKE_MATCH_1})
                endif()
            endforeach()
        endforeach()
    endforeach()
    list(JOIN classes "|" classes)
    list(JOIN functions "|" functions)
    set(${variable} "(^|::)(${classes})::|(^|::)(${functions})$" PARENT_SCOPE)
endfunction()

if(ACTION STREQUAL "dump")
    # Locations by file name alone and types named by hash: the dump does not depend on where the
    # sources lie, and a change to one type changes few of its lines.
    header_options(headers --headers-dir)
    execute_process(
        COMMAND abidw --exported-interfaces-only --drop-private-types ${headers}
                --suppressions ${CMAKE_CURRENT_LIST_DIR}/qt-types.abignore --short-locs --no-comp-dir-path
                --no-corpus-path --type-id-style hash --out-file ${OUTPUT} ${LIBRARY}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "AbiCheck: abidw failed (${result}) on ${LIBRARY}")
    endif()
    file(STRINGS ${OUTPUT} declarations LIMIT_COUNT 1 REGEX "<function-decl ")
    if(NOT declarations)
        file(REMOVE ${OUTPUT})
        message(FATAL_ERROR "AbiCheck: ${LIBRARY} has no debug information; build it as RelWithDebInfo")
    endif()
elseif(ACTION STREQUAL "check")
    # abidiff's status is a bit set: 1 error, 2 usage error, 4 a change, 8 an incompatible change.
    # Added functions and variables are left out of the report, and so do not count as a change.
    header_options(headers --headers-dir2)
    public_names(public)
    set(suppressions ${LIBRARY}.abignore)
    file(READ ${CMAKE_CURRENT_LIST_DIR}/qt-types.abignore qt_types)
    file(WRITE ${suppressions} "${qt_types}[suppress_function]\n  name_not_regexp = ${public}\n"
                               "[suppress_variable]\n  name_not_regexp = ${public}\n")
    execute_process(
        COMMAND abidiff --no-added-syms --drop-private-types --exported-interfaces-only ${headers}
                --suppressions ${suppressions} --fail-no-debug-info ${BASELINE} ${LIBRARY}
        RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(result EQUAL 0)
        message(STATUS "AbiCheck: ${LIBRARY} keeps the binary interface of ${BASELINE}")
    elseif(result GREATER_EQUAL 4)
        message(FATAL_ERROR "AbiCheck: ${LIBRARY} breaks the binary interface of ${BASELINE}:\n${report}\n"
            "Within a major version only additions are allowed. Keep the old interface beside the new one, or, "
            "for a new major version, raise the SOVERSION and write a new baseline.")
    else()
        message(FATAL_ERROR "AbiCheck: abidiff failed (${result}):\n${report}")
    endif()
else()
    message(FATAL_ERROR "AbiCheck: ACTION is '${ACTION}'; use dump or check")
endif()
