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
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QUORVALE_VERSION="${PROJECT_VERSION}")
target_include_directories(quorvale_settings INTERFACE ${CMAKE_SOURCE_DIR}/src)

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

# Builds one module library: quorvale_module(NAME sources... LINKS deps...)
function(quorvale_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(quorvale_${name} STATIC ${ARG_SOURCES})
    target_link_libraries(quorvale_${name} PUBLIC quorvale_settings ${ARG_LINKS})
endfunction()
