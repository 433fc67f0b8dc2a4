// A fake UEFI firmware for host tests: system table, boot and runtime
// services, a pool ledger, a handle database, variables, a recording console
// and root bridges wired to an EC model. One per test; it makes itself the
// current firmware and resets the image's process-wide state.
#pragma once

#include "tests/fake/FailureScript.h"

#include <csetjmp>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/LoadedImage.h"
#include "platform/PciRootBridgeIo.h"
#include "platform/SystemTable.h"
#include "tests/fake/FakeConsole.h"
#include "tests/fake/FakeEc.h"

namespace fake {

// Boot and runtime services whose result a test can choose.
enum class Service {
  AllocatePool,
  FreePool,
  HandleProtocol,
  LocateHandle,
  LocateHandleBuffer,
  OpenProtocol,
  GetVariable,
  CreateEvent,
  SetTimer,
  WaitForEvent,
  CloseEvent,
};

struct RootBridge;

struct ExitRecord {
  EFI_HANDLE ImageHandle = nullptr;
  EFI_STATUS Status = 0;
  UINTN ExitDataSize = 0;
  CHAR16 *ExitData = nullptr;
};

// What running an image entry point came to.
struct RunResult {
  bool Exited = false;  // ended through Exit instead of returning
  EFI_STATUS Status = 0;
};

class FakeFirmware {
 public:
  FakeFirmware();
  ~FakeFirmware();
  FakeFirmware(const FakeFirmware &) = delete;
  FakeFirmware &operator=(const FakeFirmware &) = delete;

  static FakeFirmware &Current();

  EFI_SYSTEM_TABLE SystemTable{};
  EFI_BOOT_SERVICES BootServices{};
  EFI_RUNTIME_SERVICES RuntimeServices{};
  FakeConsole ConOut;
  FakeKeyboard ConIn;
  EcModel Ec;

  // The image's own handle, carrying a Loaded Image protocol whose data
  // memory type is EfiLoaderData, so that pool blocks show where they came from.
  EFI_HANDLE ImageHandle = nullptr;
  EFI_LOADED_IMAGE_PROTOCOL LoadedImage{};

  // The platform bytes the EC layer reads.
  UINT8 PortSelector = 0;
  UINT8 Inhibit = 0;

  // --- handle database ---
  EFI_HANDLE NewHandle();
  void Install(EFI_HANDLE Handle, const EFI_GUID &Protocol, void *Interface);
  void Uninstall(EFI_HANDLE Handle, const EFI_GUID &Protocol);
  std::vector<EFI_HANDLE> HandlesWith(const EFI_GUID &Protocol) const;
  void *Find(EFI_HANDLE Handle, const EFI_GUID &Protocol) const;

  // A root bridge on a new handle, wired to Ec.
  RootBridge &AddRootBridge();

  // --- failure injection ---
  // The Nth call (counting from 1) of the service returns Status without
  // doing its work.
  void FailCall(Service Which, unsigned Nth, EFI_STATUS Status) { Script.FailCall(Which, Nth, Status); }
  // The Nth AllocatePool call fails with EFI_OUT_OF_RESOURCES.
  void FailAllocation(unsigned Nth) { FailCall(Service::AllocatePool, Nth, EFI_OUT_OF_RESOURCES); }
  unsigned Calls(Service Which) const { return Script.Calls(Which); }
  // Replaces LocateHandle entirely (for answers the handle database cannot give).
  std::function<EFI_STATUS(EFI_LOCATE_SEARCH_TYPE, const EFI_GUID *, VOID *, UINTN *, EFI_HANDLE *)> LocateHandleHook;

  // --- pool ledger ---
  struct Block {
    size_t Size;
    EFI_MEMORY_TYPE Type;
  };
  const std::map<void *, Block> &OutstandingBlocks() const { return Pool; }
  std::vector<std::string> PoolErrors;  // double and foreign frees
  size_t AllocationCount = 0;           // successful allocations
  // Checked by the destructor as well: every block freed, no bad free.
  bool PoolBalanced() const { return Pool.empty() && PoolErrors.empty(); }
  // Frees outstanding blocks so a test that leaks on purpose can clean up.
  void ReleaseLeaks();

  // --- variables ---
  void SetVariable(const std::u16string &Name, const EFI_GUID &Vendor, const std::vector<UINT8> &Data);
  void SetVariable(const std::u16string &Name, const EFI_GUID &Vendor, const std::string &Data);

  // --- Exit ---
  std::vector<ExitRecord> Exits;
  // Runs an entry point; Exit unwinds back here instead of returning.
  RunResult Run(const std::function<EFI_STATUS()> &Entry);

  // Internals used by the service trampolines.
  bool Injected(Service Which, EFI_STATUS *Status) { return Script.Injected(Which, Status); }
  FailureScript<Service> Script;
  std::map<void *, Block> Pool;
  struct Handle {
    std::vector<std::pair<EFI_GUID, void *>> Protocols;
  };
  std::vector<std::unique_ptr<Handle>> Handles;
  std::vector<std::unique_ptr<RootBridge>> Bridges;
  std::map<std::pair<std::u16string, std::string>, std::vector<UINT8>> Variables;
  std::jmp_buf *ExitJump = nullptr;

 private:
  static FakeFirmware *Active;
};

// A PCI Root Bridge I/O instance whose Io.Read and Io.Write reach the EC model.
struct RootBridge {
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL Protocol{};  // first member: This points here
  FakeFirmware *Owner = nullptr;
  EFI_HANDLE Handle = nullptr;
  EFI_STATUS ConfigurationStatus = EFI_SUCCESS;
  unsigned ConfigurationCalls = 0;
  EFI_STATUS IoReadStatus = EFI_SUCCESS;  // a failed read leaves the buffer untouched
};

bool operator==(const EFI_GUID &A, const EFI_GUID &B);
std::string GuidKey(const EFI_GUID &Guid);

}  // namespace fake
