# The sources that build both the EFI image and the host library.
set(KELMTRAX_SOURCES
  platform/EcPlatformBytes.cpp
  runtime/Arithmetic.cpp
  runtime/BuiltinCollation.cpp
  runtime/CollationBinding.cpp
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
  print/EventWait.cpp
  print/FormatEngine.cpp
  print/FormatOutput.cpp
  print/GuidText.cpp
  print/ItemRenderers.cpp
  print/NumberText.cpp
  print/OutputPause.cpp
  print/PageBreak.cpp
  print/PageBreakState.cpp
  print/PoolString.cpp
  print/PrintDestinations.cpp
  print/StatusText.cpp
  print/TimeText.cpp
  ectool/CommandLine.cpp
  ectool/EcHostInterface.cpp
  ectool/EcToolMain.cpp
  ectool/Usage.cpp
)

# The shell compatibility driver's own sources; it links what it uses of the
# library above from an archive, so the tool's code stays out of it.
set(KELMTRAX_SHELLCOMPAT_SOURCES
  shellcompat/CommandInterfaces.cpp
  shellcompat/CompatEnvironment.cpp
  shellcompat/ProtocolNames.cpp
  shellcompat/ShellCompatMain.cpp
  shellcompat/ShellCompatState.cpp
)
