# The sources that build both the EFI image and the host library.
set(KELMTRAX_SOURCES
  platform/EcPlatformBytes.cpp
  runtime/Arithmetic.cpp
  runtime/BuiltinCollation.cpp
  runtime/FirmwareCalls.cpp
  runtime/Guid.cpp
  runtime/Language.cpp
  runtime/Memory.cpp
  runtime/Pool.cpp
  runtime/RuntimeContext.cpp
  runtime/ShellAttach.cpp
  runtime/Strings.cpp
  runtime/Variables.cpp
  runtime/WildcardMatch.cpp
  ectool/EcHostInterface.cpp
  ectool/EcToolMain.cpp
)
