# Include roots: how the build keeps the dependencies between the libraries one way.
#
# Sources include each other by path from the project root ("rules/board.h"), yet no target
# sees the project root itself. Each target gets a folder of its own in the build tree, its
# include root, holding links to the source folders (or to the single headers) it publishes.
# A target can therefore open the headers of itself and of the libraries it links and no
# others: an include that reaches into a library it does not link fails to compile.
#
#   kestrion_include_root(<target> <PUBLIC|PRIVATE> <folder> [HEADERS <name>...])
#
# links <folder> (relative to the project root) into the target's include root, or, with
# HEADERS, only the named headers of that folder, for a folder two libraries share.
# KESTRION_COPY_HEADERS=ON fills the roots with copies instead of links.

option(KESTRION_COPY_HEADERS "Fill the include roots with copies of the headers, not links" OFF)

set(kestrion_include_roots ${CMAKE_BINARY_DIR}/include_roots)

function(kestrion_link_into_root original link)
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT KESTRION_COPY_HEADERS)
    file(CREATE_LINK ${original} ${link} RESULT failure SYMBOLIC)
    if(NOT failure)
      return()
    endif()
    message(STATUS "No symbolic links here (${failure}): the include roots hold copies")
    set(KESTRION_COPY_HEADERS ON CACHE BOOL "" FORCE)
  endif()
  # Where symbolic links are refused (Windows without Developer Mode) the root holds copies.
  # configure_file makes each source header a configure dependency, so an edited header is
  # copied again before the next build; a new header shows once CMake runs again.
  if(IS_SYMLINK ${link})
    file(REMOVE ${link})
  endif()
  if(IS_DIRECTORY ${original})
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${original} ${original}/*.h)
    foreach(header ${headers})
      configure_file(${original}/${header} ${link}/${header} COPYONLY)
    endforeach()
  else()
    configure_file(${original} ${link} COPYONLY)
  endif()
endfunction()

function(kestrion_include_root target scope folder)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "HEADERS")
  set(root ${kestrion_include_roots}/${target})
  # A root of links is made afresh at each configure, so a header or folder that a target no
  # longer publishes disappears from it. Copies stay, so that unchanged headers keep their
  # times and nothing is compiled again for them.
  get_property(fresh GLOBAL PROPERTY kestrion_root_${target} SET)
  if(NOT fresh)
    if(NOT KESTRION_COPY_HEADERS)
      file(REMOVE_RECURSE ${root})
    endif()
    set_property(GLOBAL PROPERTY kestrion_root_${target} TRUE)
  endif()

  set(source ${PROJECT_SOURCE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "kestrion_include_root(${target}): no folder ${folder}")
  endif()
  if(arg_HEADERS)
    foreach(header ${arg_HEADERS})
      if(NOT EXISTS ${source}/${header})
        message(FATAL_ERROR "kestrion_include_root(${target}): no header ${folder}/${header}")
      endif()
      kestrion_link_into_root(${source}/${header} ${root}/${folder}/${header})
    endforeach()
  else()
    kestrion_link_into_root(${source} ${root}/${folder})
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()
