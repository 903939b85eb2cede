# SPDX-License-Identifier: GPL-3.0-or-later
# Settings every target of the project shares: link against quorvale_settings.
add_library(quorvale_settings INTERFACE)
target_compile_features(quorvale_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(quorvale_settings INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(quorvale_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

if(QUORVALE_SANITIZE)
    target_compile_options(quorvale_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(quorvale_settings INTERFACE -fsanitize=address,undefined)
    # Bounds checks of the standard containers, which the sanitizers cannot see.
    target_compile_definitions(quorvale_settings INTERFACE _GLIBCXX_ASSERTIONS)
endif()

if(QUORVALE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUORVALE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Every library is instrumented; only the fuzz targets link libFuzzer's main.
    target_compile_options(quorvale_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
        -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvale_settings INTERFACE -fsanitize=address,undefined)
endif()

# Builds one module library, Quorvale::NAME, from the folder the call stands in:
#   quorvale_module(NAME SOURCES files... [PUBLIC targets...] [PRIVATE targets...])
# Its headers are included as "NAME/Header.h". The module's include interface
# holds its own folder and nothing else, so a file sees the headers of its own
# module and of the modules it links: including a module above fails to compile.
function(quorvale_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(quorvale_${name} STATIC ${ARG_SOURCES})
    add_library(Quorvale::${name} ALIAS quorvale_${name})
    set(root ${CMAKE_BINARY_DIR}/include/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
    target_include_directories(quorvale_${name} PUBLIC ${root})
    target_link_libraries(quorvale_${name} PUBLIC quorvale_settings ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()
