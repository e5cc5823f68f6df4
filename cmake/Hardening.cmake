# Every program is built hardened, as Debian builds its own packages: a
# position-independent executable, relocations made read-only after start-up
# and all bound at once (-z relro -z now), checked string and memory functions,
# and stack canaries. The sanitizer and fuzz builds instrument the code in
# their own way and go without.
if(KARVO_SANITIZE OR KARVO_FUZZ)
  return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# _FORTIFY_SOURCE works only with optimisation; without it glibc warns, and
# warnings are errors in our code. A compiler that defines it by default
# (Ubuntu's) would warn of the redefinition, hence the -U first.
set(karvo_optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options($<${karvo_optimised}:-U_FORTIFY_SOURCE> $<${karvo_optimised}:-D_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
