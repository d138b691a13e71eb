# The control's layers as targets (see control/CMakeLists.txt).
#
# knotel_add_layer(<target> <folder> <sources>...) makes an object library of the layer in
# control/src/<folder>. The layer, and every target that links it, includes its headers as
# "<folder>/Header.h" through a folder of the build tree that holds one link, <folder>, to the
# sources: a target sees the folders of the layers it links and no other.
#
# knotel_layer_sees(<target> <folder>) lets <target> see control/src/<folder> as well.
function(knotel_add_layer target folder)
    add_library(${target} OBJECT ${ARGN})
    set_target_properties(${target} PROPERTIES
        POSITION_INDEPENDENT_CODE ON
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
    )
    # The public face is exported from whichever binary the objects go into.
    target_compile_definitions(${target} PRIVATE Knotel_EXPORTS)
    target_include_directories(${target} PUBLIC
        ${CMAKE_CURRENT_SOURCE_DIR}/include
        ${CMAKE_CURRENT_BINARY_DIR}/include
    )
    knotel_layer_sees(${target} ${folder})
endfunction()

function(knotel_layer_sees target folder)
    set(view ${CMAKE_CURRENT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${view})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${view})
endfunction()
