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

set(kestrion_include_roots ${CMAKE_BINARY_DIR}/include_roots)

function(kestrion_link_into_root original link)
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${original} ${link} RESULT failure SYMBOLIC)
  if(failure)
    message(FATAL_ERROR
      "The include root needs symbolic links (${link}: ${failure}). On Windows, turn on "
      "Developer Mode, or build as an administrator.")
  endif()
endfunction()

function(kestrion_include_root target scope folder)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "HEADERS")
  set(root ${kestrion_include_roots}/${target})
  # A root is made afresh at each configure, so a header or folder that a target no longer
  # publishes disappears from it.
  get_property(fresh GLOBAL PROPERTY kestrion_root_${target} SET)
  if(NOT fresh)
    file(REMOVE_RECURSE ${root})
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
