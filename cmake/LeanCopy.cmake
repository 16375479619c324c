# Makes the program users get from the one the build links: the same code and data, its debug
# information moved to Quillora.exe.debug beside it, which the program names in a debug link
# (a debugger given the program finds it there). Prints the size; fails above LIMIT bytes.
#   cmake -DOBJCOPY=... -DIN=<linked exe> -DOUT_DIR=<folder> -DLIMIT=<bytes> -P LeanCopy.cmake
get_filename_component(name "${IN}" NAME)
set(out "${OUT_DIR}/${name}")
file(MAKE_DIRECTORY "${OUT_DIR}")
file(REMOVE "${out}" "${out}.debug")
execute_process(COMMAND "${OBJCOPY}" --only-keep-debug "${IN}" "${out}.debug"
                RESULT_VARIABLE status)
if(status EQUAL 0)
  execute_process(COMMAND "${OBJCOPY}" --strip-all --add-gnu-debuglink=${name}.debug
                          "${IN}" "${out}"
                  WORKING_DIRECTORY "${OUT_DIR}" RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJCOPY} could not make ${out} (status ${status})")
endif()
file(SIZE "${out}" size)
math(EXPR kib "(${size} + 1023) / 1024")
message("${name} for release: ${out}: ${size} bytes (${kib} KiB, limit ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${out} is larger than ${LIMIT} bytes")
endif()
