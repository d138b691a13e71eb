# The optional parts of the build (tests, benchmarks, plugins, bindings). Each has a cache
# variable AUTO (the default), ON or OFF:
#   AUTO  builds the part when its packages are found, and otherwise says once why it does not;
#         a part marked TOP_LEVEL is built only when Knotel is the top-level project, not when a
#         host pulls it in with add_subdirectory() or FetchContent;
#   ON    builds it, and a missing package is a configure error;
#   OFF   skips it.
#
# knotel_optional_part(<variable> <what> [TOP_LEVEL] [PACKAGES <package>...] [QT_COMPONENTS <component>...])
# sets <variable>_ENABLED in the caller's scope.
function(knotel_optional_part variable what)
    cmake_parse_arguments(PARSE_ARGV 2 arg "TOP_LEVEL" "" "PACKAGES;QT_COMPONENTS")
    set(${variable} AUTO CACHE STRING "Build ${what}: AUTO (when its packages are found), ON or OFF")
    set_property(CACHE ${variable} PROPERTY STRINGS AUTO ON OFF)
    string(TOUPPER "${${variable}}" mode)
    if(mode MATCHES "^(1|TRUE|YES|Y)$")
        set(mode ON)
    elseif(mode MATCHES "^(0|FALSE|NO|N)$")
        set(mode OFF)
    endif()

    set(enabled OFF)
    if(mode STREQUAL "OFF")
        # Asked for nothing: nothing to say.
    elseif(mode STREQUAL "AUTO" AND arg_TOP_LEVEL AND NOT PROJECT_IS_TOP_LEVEL)
        message(STATUS "Knotel: ${what} not built: Knotel is not the top-level project (set ${variable}=ON to build)")
    elseif(mode STREQUAL "ON" OR mode STREQUAL "AUTO")
        set(missing)
        foreach(package IN LISTS arg_PACKAGES)
            find_package(${package} QUIET)
            if(NOT ${package}_FOUND)
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
