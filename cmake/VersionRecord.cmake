# Every executable carries a small version record that TVersion reads back from the file.
set(VEMORA_VERSION_RECORD_SOURCE ${CMAKE_BINARY_DIR}/generated/VersionRecordData.cpp)
configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionRecordData.cpp.in ${VEMORA_VERSION_RECORD_SOURCE} @ONLY)

function(vemora_add_version_record target)
  target_sources(${target} PRIVATE ${VEMORA_VERSION_RECORD_SOURCE})
endfunction()
