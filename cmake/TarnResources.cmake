# tarn_resources(TARGET MANIFEST file [DEFINE NAME=path ...] [DEPENDS target ...]): links the
# resources that the manifest lists into the target as its resource table (framework/Resources.h
# looks them up). The step runs again whenever the manifest or one of its files changes. A file
# that the build makes is listed in the manifest as ${NAME} and named here with DEFINE; DEPENDS
# names the targets that make it.
function(tarn_resources target)
  cmake_parse_arguments(ARG "" "MANIFEST" "DEFINE;DEPENDS" ${ARGN})
  if(NOT ARG_MANIFEST)
    message(FATAL_ERROR "tarn_resources(${target}): MANIFEST is missing")
  endif()
  get_filename_component(manifest ${ARG_MANIFEST} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(defines)
  foreach(define IN LISTS ARG_DEFINE)
    list(APPEND defines --define ${define})
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND tarn-rc --manifest ${manifest} --output ${output} --depfile ${output}.d
            --prefix ${target} ${defines}
    DEPENDS tarn-rc ${manifest} ${ARG_DEPENDS}
    DEPFILE ${output}.d
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_link_libraries(${target} PRIVATE tarn_framework)
endfunction()
