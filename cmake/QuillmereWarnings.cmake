# The warnings of every target of ours, carried by one interface target:
#   target_link_libraries(<target> PRIVATE quillmere::warnings)
# PRIVATE keeps them off whoever links that target (GoogleTest, Qt's generated code).
add_library(quillmere_warnings INTERFACE)
add_library(quillmere::warnings ALIAS quillmere_warnings)
if(MSVC)
  target_compile_options(quillmere_warnings INTERFACE /W4 /permissive- $<$<BOOL:${QUILLMERE_WERROR}>:/WX>)
else()
  target_compile_options(quillmere_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                         -Wold-style-cast $<$<BOOL:${QUILLMERE_WERROR}>:-Werror>)
endif()
