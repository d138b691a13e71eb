# CPack pre-build script: the staged programs, plugins and modules lose their run paths. Installed
# into /usr they find libKnotel.so.1 where the dynamic linker looks anyway, and Debian's policy
# allows no other path there.
file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS files)
    if(IS_SYMLINK ${file})
        continue()
    endif()
    file(READ ${file} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        file(RPATH_REMOVE FILE ${file})
    endif()
endforeach()
