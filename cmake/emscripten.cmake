# Builds the game as a browser page with Debian's emscripten (Debian: emscripten,
# node-acorn, binaryen):
#   cmake -S . -B build/web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
find_program(emcc_program emcc REQUIRED)
get_filename_component(emcc_real ${emcc_program} REALPATH)
get_filename_component(emscripten_root ${emcc_real} DIRECTORY)
if(NOT EXISTS ${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
  set(emscripten_root /usr/share/emscripten)
endif()
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

# emcc's JavaScript optimiser finds Debian's acorn only through NODE_PATH, which every
# compile and link is given here, so no shell set-up is needed.
set(kestrion_node_path env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER ${kestrion_node_path})
set(CMAKE_CXX_COMPILER_LAUNCHER ${kestrion_node_path})
set(CMAKE_C_LINKER_LAUNCHER ${kestrion_node_path})
set(CMAKE_CXX_LINKER_LAUNCHER ${kestrion_node_path})
