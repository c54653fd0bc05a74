# The warnings every target of ours is built with, as a target they link rather than a global
# flag. Warnings as errors is CMake's own switch (CMAKE_COMPILE_WARNING_AS_ERROR): the presets
# turn it on, a packager leaves it off or passes --compile-no-warning-as-error.
add_library(dewmoth_warnings INTERFACE)
if(MSVC)
    target_compile_options(dewmoth_warnings INTERFACE /W4 /utf-8)
else()
    target_compile_options(dewmoth_warnings INTERFACE -Wall -Wextra -Wpedantic)
endif()
# GCC 12 reports overlapping copies inside std::string's own inline code where there are none
# (its bug 105329, seen with MinGW-w64's GCC 12 on ini_text.cpp); later GCCs do not.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(dewmoth_warnings INTERFACE -Wno-restrict)
endif()
