# The binary interface check on a small library (Rule.h, Rule.cpp): its baseline from the plain
# build, then each variant against it. Additions pass, and so do changes outside the public face (a
# class exported for the library's plugins but in no public header); a struct that grows, a
# virtual function added to an interface or as a new override, a function removed or with another
# parameter type break programs built against the baseline and must fail.
#
#   cmake -DCXX=<compiler> -DWORK_DIR=<dir> -P CheckRule.cmake
set(expected
    ADDED pass
    INTERNAL_CHANGED pass
    FIELD_ADDED fail
    VIRTUAL_ADDED fail
    OVERRIDE_ADDED fail
    FUNCTION_REMOVED fail
    PARAMETER_CHANGED fail)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# library(<variant>): builds the variant's librule.so.1 into WORK_DIR/<variant>.
function(library variant)
    file(MAKE_DIRECTORY ${WORK_DIR}/${variant})
    execute_process(
        COMMAND ${CXX} -std=c++17 -shared -fPIC -g -O2 -fvisibility=hidden -fvisibility-inlines-hidden
                -D${variant} -Wl,-soname,librule.so.1 ${CMAKE_CURRENT_LIST_DIR}/Rule.cpp
                -o ${WORK_DIR}/${variant}/librule.so.1
        COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# abi_check(<result> <action> <library> <file>): runs AbiCheck.cmake; <result> is its exit code.
function(abi_check result action library file)
    set(file_variable BASELINE)
    if(action STREQUAL "dump")
        set(file_variable OUTPUT)
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DACTION=${action} -DLIBRARY=${library} -DHEADERS=${CMAKE_CURRENT_LIST_DIR}
                -D${file_variable}=${file} -P ${CMAKE_CURRENT_LIST_DIR}/../AbiCheck.cmake
        RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE errors)
    set(${result} ${code} PARENT_SCOPE)
    set(errors "${errors}" PARENT_SCOPE)
endfunction()

library(BASELINE)
abi_check(result dump ${WORK_DIR}/BASELINE/librule.so.1 ${WORK_DIR}/baseline.abi)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the baseline was not written:\n${errors}")
endif()

set(wrong)
while(expected)
    list(POP_FRONT expected variant outcome)
    library(${variant})
    abi_check(result check ${WORK_DIR}/${variant}/librule.so.1 ${WORK_DIR}/baseline.abi)
    if(result EQUAL 0)
        set(got pass)
    else()
        set(got fail)
    endif()
    message(STATUS "${variant}: ${got}")
    if(NOT got STREQUAL outcome)
        list(APPEND wrong "${variant} should ${outcome} but did ${got}:\n${errors}")
    endif()
endwhile()
if(wrong)
    list(JOIN wrong "\n" wrong)
    message(FATAL_ERROR "${wrong}")
endif()
