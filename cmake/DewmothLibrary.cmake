# dewmoth_add_library(<folder> <sources>...): the static library dewmoth_<folder> made of
# src/<folder>, built with our warnings. Its users include its headers as "<folder>/name.h"
# through an include root that holds only that folder (a link to it), so that a library that
# does not link another cannot include that one's headers by accident either.
function(dewmoth_add_library folder)
    set(target dewmoth_${folder})
    add_library(${target} STATIC ${ARGN})
    set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
    if(NOT IS_SYMLINK ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} RESULT linked SYMBOLIC)
        if(NOT linked EQUAL 0)
            # Where the file system has no links (some Windows set-ups): the whole source tree.
            set(root ${PROJECT_SOURCE_DIR}/src)
        endif()
    endif()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PRIVATE dewmoth_warnings)
endfunction()

# What every executable of ours links: for Windows, one file to hand on, with the C++ runtime
# and threads linked in as Qt is.
add_library(dewmoth_executable INTERFACE)
if(MINGW)
    target_link_options(dewmoth_executable INTERFACE -static)
endif()
