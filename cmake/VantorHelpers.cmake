# Shared settings for every Vantor target: C++20, strict warnings, sanitizers when asked.

set(VANTOR_WARNINGS
  -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wdouble-promotion -Werror)
# GCC 12 reports false -Wrestrict overlaps inside std::string at -O3 (its bug 105651).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND VANTOR_WARNINGS -Wno-restrict)
endif()
set(VANTOR_CORE_WARNINGS ${VANTOR_WARNINGS} -Wfloat-conversion)

if(VANTOR_SANITIZE)
  set(VANTOR_SANITIZE_FLAGS -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${VANTOR_SANITIZE_FLAGS})
  add_link_options(${VANTOR_SANITIZE_FLAGS})
endif()

set(VANTOR_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")

# vantor_add_library(name SOURCES a.cpp ... DEPENDS lib ... [QT])
# A core library is Qt-free and gets the stricter float-conversion warning;
# QT marks a GUI library (AUTOMOC on, standard warnings).
function(vantor_add_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src/core" "${PROJECT_SOURCE_DIR}/src" "${VANTOR_GENERATED_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  target_compile_features(${name} PUBLIC cxx_std_20)
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_compile_options(${name} PRIVATE ${VANTOR_WARNINGS})
  else()
    target_compile_options(${name} PRIVATE ${VANTOR_CORE_WARNINGS})
    # The core is linked into the Python extension module as well, a shared object.
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endif()
endfunction()

# vantor_add_executable(name SOURCES ... DEPENDS ...)
function(vantor_add_executable name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/src/core" "${PROJECT_SOURCE_DIR}/src" "${VANTOR_GENERATED_DIR}")
  target_compile_options(${name} PRIVATE ${VANTOR_WARNINGS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()
