# Freestanding PE32+ EFI images for x86-64: clang++ for a Windows target (the
# Microsoft x64 calling convention and COFF objects), linked by lld-link.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELMTRAX_EFI ON)

find_program(KELMTRAX_CLANGXX NAMES clang++ clang++-14 REQUIRED)
find_program(KELMTRAX_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)

set(CMAKE_CXX_COMPILER ${KELMTRAX_CLANGXX})

set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# No C library, no unwinding, no red zone (interrupts may use the stack), no
# stack probes or canaries (there is no runtime to supply them), and no
# builtins, so that our own MemSet is never turned back into memset.
set(CMAKE_CXX_FLAGS_INIT
  "--target=x86_64-unknown-windows -ffreestanding -fno-builtin -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -mno-red-zone -mno-stack-arg-probe -fno-stack-protector")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-Os")

set(CMAKE_CXX_LINK_EXECUTABLE "${KELMTRAX_LLD_LINK} /nologo /nodefaultlib /machine:x64 /dynamicbase <LINK_FLAGS> <OBJECTS> /out:<TARGET> <LINK_LIBRARIES>")

# Archives of COFF objects, for the driver image that links parts of the
# library.
find_program(KELMTRAX_LLVM_AR NAMES llvm-ar llvm-ar-14 REQUIRED)
find_program(KELMTRAX_LLVM_RANLIB NAMES llvm-ranlib llvm-ranlib-14 REQUIRED)
set(CMAKE_AR ${KELMTRAX_LLVM_AR})
set(CMAKE_RANLIB ${KELMTRAX_LLVM_RANLIB})
