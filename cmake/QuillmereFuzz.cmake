# libFuzzer builds, switched on by -DQUILLMERE_FUZZ=ON (clang only, in a build folder of their own):
# the whole engine gets coverage instrumentation and ASan+UBSan, and tests/fuzz adds the targets.
if(QUILLMERE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLMERE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
