# The optional parts of the build (tests, benchmarks, plugins, bindings). Each has a cache
# variable AUTO (the default), ON or OFF:
#   AUTO  builds the part when its packages are found, and otherwise says once why it does not;
#         a part marked TOP_LEVEL is built only when Knotel is the top-level project, not when a
#         host pulls it in with add_subdirectory() or FetchContent;
#   ON    builds it, and a missing package is a configure error;
#   OFF   skips it.
#
# knotel_optional_part(<variable> <what> [TOP_LEVEL] [PACKAGES <package>...] [QT_COMPONENTS <component>...]
#                      [NOT_WITH <option>...])
# sets <variable>_ENABLED in the caller's scope. A package whose find module explains what it
# misses in <package>_MISSING has that in the message. A part that cannot be built together with
# one of the NOT_WITH options (say, a sanitizer build) is skipped while that option is on, and asked
# for with ON it is a configure error.
function(knotel_optional_part variable what)
    cmake_parse_arguments(PARSE_ARGV 2 arg "TOP_LEVEL" "" "PACKAGES;QT_COMPONENTS;NOT_WITH")
    set(${variable} AUTO CACHE STRING "Build ${what}: AUTO (when its packages are found), ON or OFF")
    set_property(CACHE ${variable} PROPERTY STRINGS AUTO ON OFF)
    string(TOUPPER "${${variable}}" mode)
    if(mode MATCHES "^(1|TRUE|YES|Y)$")
        set(mode ON)
    elseif(mode MATCHES "^(0|FALSE|NO|N)$")
        set(mode OFF)
    endif()

    set(excluded_by)
    foreach(option IN LISTS arg_NOT_WITH)
        if(${option})
            set(excluded_by ${option})
            break()
        endif()
    endforeach()

    set(enabled OFF)
    if(mode STREQUAL "OFF")
        # Asked for nothing: nothing to say.
    elseif(mode MATCHES "^(ON|AUTO)$" AND excluded_by)
        if(mode STREQUAL "ON")
            message(FATAL_ERROR "Knotel: ${variable} is ON but cannot be built with ${excluded_by}")
        endif()
        message(STATUS "Knotel: ${what} not built: ${excluded_by} is on")
    elseif(mode STREQUAL "AUTO" AND arg_TOP_LEVEL AND NOT PROJECT_IS_TOP_LEVEL)
        message(STATUS "Knotel: ${what} not built: Knotel is not the top-level project (set ${variable}=ON to build)")
    elseif(mode STREQUAL "ON" OR mode STREQUAL "AUTO")
        set(missing)
        foreach(package IN LISTS arg_PACKAGES)
            find_package(${package} QUIET)
            if(NOT ${package}_FOUND AND ${package}_MISSING)
                list(JOIN ${package}_MISSING ", " details)
                list(APPEND missing "${package} (${details})")
            elseif(NOT ${package}_FOUND)
                list(APPEND missing ${package})
            endif()
        endforeach()
        foreach(component IN LISTS arg_QT_COMPONENTS)
            find_package(Qt6 QUIET COMPONENTS ${component})
            if(NOT Qt6${component}_FOUND)
                list(APPEND missing Qt6${component})
            endif()
        endforeach()
        list(JOIN missing ", " missing_text)
        if(NOT missing)
            set(enabled ON)
        elseif(mode STREQUAL "ON")
            message(FATAL_ERROR "Knotel: ${variable} is ON but ${missing_text} not found")
        else()
            message(STATUS "Knotel: ${what} not built: ${missing_text} not found (set ${variable}=ON to require)")
        endif()
    else()
        message(FATAL_ERROR "Knotel: ${variable} is '${${variable}}'; use AUTO, ON or OFF")
    endif()
    set(${variable}_ENABLED ${enabled} PARENT_SCOPE)
endfunction()
