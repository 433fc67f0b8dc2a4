#include "tests/fake/FakeFirmware.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/fake/ImageState.h"

namespace fake {

FakeFirmware *FakeFirmware::Active = nullptr;

bool operator==(const EFI_GUID &A, const EFI_GUID &B) { return std::memcmp(&A, &B, sizeof(EFI_GUID)) == 0; }

std::string GuidKey(const EFI_GUID &Guid) {
  char Text[40];
  std::snprintf(Text, sizeof(Text), "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", Guid.Data1, Guid.Data2,
                Guid.Data3, Guid.Data4[0], Guid.Data4[1], Guid.Data4[2], Guid.Data4[3], Guid.Data4[4],
                Guid.Data4[5], Guid.Data4[6], Guid.Data4[7]);
  return Text;
}

namespace {

FakeFirmware &Fw() { return FakeFirmware::Current(); }

EFI_STATUS EFIAPI AllocatePool(EFI_MEMORY_TYPE Type, UINTN Size, VOID **Buffer) {
  EFI_STATUS Status;
  if (Fw().Injected(Service::AllocatePool, &Status)) {
    return Status;
  }
  void *Block = std::malloc(Size == 0 ? 1 : Size);
  // Undefined contents: make them visible rather than conveniently zero.
  std::memset(Block, 0xA5, Size);
  Fw().Pool[Block] = {Size, Type};
  Fw().AllocationCount++;
  *Buffer = Block;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FreePool(VOID *Buffer) {
  EFI_STATUS Status;
  if (Fw().Injected(Service::FreePool, &Status)) {
    return Status;
  }
  auto Found = Fw().Pool.find(Buffer);
  if (Found == Fw().Pool.end()) {
    char Text[64];
    std::snprintf(Text, sizeof(Text), "free of %p, not an outstanding block", Buffer);
    Fw().PoolErrors.push_back(Text);
    return EFI_INVALID_PARAMETER;
  }
  std::memset(Buffer, 0xDD, Found->second.Size);
  Fw().Pool.erase(Found);
  std::free(Buffer);
  return EFI_SUCCESS;
}

// HandleProtocol and OpenProtocol answer alike from the handle database.
EFI_STATUS LookUpProtocol(Service Which, EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface) {
  EFI_STATUS Status;
  if (Fw().Injected(Which, &Status)) {
    return Status;
  }
  void *Found = Fw().Find(Handle, *Protocol);
  if (Found == nullptr) {
    return EFI_UNSUPPORTED;
  }
  *Interface = Found;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI HandleProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface) {
  return LookUpProtocol(Service::HandleProtocol, Handle, Protocol, Interface);
}

EFI_STATUS EFIAPI OpenProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface, EFI_HANDLE,
                               EFI_HANDLE, UINT32) {
  return LookUpProtocol(Service::OpenProtocol, Handle, Protocol, Interface);
}


EFI_STATUS EFIAPI LocateHandle(EFI_LOCATE_SEARCH_TYPE SearchType, const EFI_GUID *Protocol, VOID *SearchKey,
                               UINTN *BufferSize, EFI_HANDLE *Buffer) {
  EFI_STATUS Status;
  if (Fw().Injected(Service::LocateHandle, &Status)) {
    return Status;
  }
  if (Fw().LocateHandleHook) {
    return Fw().LocateHandleHook(SearchType, Protocol, SearchKey, BufferSize, Buffer);
  }
  if (SearchType != ByProtocol || SearchKey != nullptr) {
    ADD_FAILURE() << "LocateHandle: only ByProtocol without a search key is expected";
    return EFI_INVALID_PARAMETER;
  }
  std::vector<EFI_HANDLE> Found = Fw().HandlesWith(*Protocol);
  if (Found.empty()) {
    return EFI_NOT_FOUND;
  }
  UINTN Needed = Found.size() * sizeof(EFI_HANDLE);
  if (*BufferSize < Needed) {
    *BufferSize = Needed;
    return EFI_BUFFER_TOO_SMALL;
  }
  *BufferSize = Needed;
  std::memcpy(Buffer, Found.data(), Needed);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI LocateHandleBuffer(EFI_LOCATE_SEARCH_TYPE SearchType, const EFI_GUID *Protocol, VOID *SearchKey,
                                     UINTN *NoHandles, EFI_HANDLE **Buffer) {
  EFI_STATUS Status;
  if (Fw().Injected(Service::LocateHandleBuffer, &Status)) {
    return Status;
  }
  if (SearchType != ByProtocol || SearchKey != nullptr) {
    ADD_FAILURE() << "LocateHandleBuffer: only ByProtocol without a search key is expected";
    return EFI_INVALID_PARAMETER;
  }
  std::vector<EFI_HANDLE> Found = Fw().HandlesWith(*Protocol);
  if (Found.empty()) {
    return EFI_NOT_FOUND;
  }
  VOID *Block = nullptr;
  // The list comes from pool, as firmware's does: the caller frees it.
  Status = AllocatePool(EfiBootServicesData, Found.size() * sizeof(EFI_HANDLE), &Block);
  if (IsError(Status)) {
    return Status;
  }
  std::memcpy(Block, Found.data(), Found.size() * sizeof(EFI_HANDLE));
  *NoHandles = Found.size();
  *Buffer = static_cast<EFI_HANDLE *>(Block);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI Exit(EFI_HANDLE ImageHandle, EFI_STATUS ExitStatus, UINTN ExitDataSize, CHAR16 *ExitData) {
  FakeFirmware &Firmware = Fw();
  Firmware.Exits.push_back({ImageHandle, ExitStatus, ExitDataSize, ExitData});
  if (Firmware.ExitJump == nullptr) {
    ADD_FAILURE() << "Exit called outside FakeFirmware::Run";
    std::abort();
  }
  std::longjmp(*Firmware.ExitJump, 1);
}

EFI_STATUS EFIAPI GetVariable(const CHAR16 *Name, const EFI_GUID *Vendor, UINT32 *Attributes, UINTN *DataSize,
                              VOID *Data) {
  EFI_STATUS Status;
  if (Fw().Injected(Service::GetVariable, &Status)) {
    return Status;
  }
  auto Found = Fw().Variables.find({std::u16string(Name), GuidKey(*Vendor)});
  if (Found == Fw().Variables.end()) {
    return EFI_NOT_FOUND;
  }
  if (Attributes != nullptr) {
    *Attributes = 0x7;
  }
  const std::vector<UINT8> &Value = Found->second;
  if (*DataSize < Value.size()) {
    *DataSize = Value.size();
    return EFI_BUFFER_TOO_SMALL;
  }
  *DataSize = Value.size();
  if (!Value.empty()) {  // an empty vector's data() may be null
    std::memcpy(Data, Value.data(), Value.size());
  }
  return EFI_SUCCESS;
}

RootBridge *BridgeOf(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This) { return reinterpret_cast<RootBridge *>(This); }

bool IsOneByte(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH Width, UINT64 Address, UINTN Count) {
  if (Width != EfiPciWidthUint8 || Count != 1 || Address > 0xFFFF) {
    ADD_FAILURE() << "port access other than one byte: width " << Width << " address " << Address << " count "
                  << Count;
    return false;
  }
  return true;
}

EFI_STATUS EFIAPI IoRead(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This, EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH Width,
                         UINT64 Address, UINTN Count, VOID *Buffer) {
  RootBridge *Bridge = BridgeOf(This);
  if (!IsOneByte(Width, Address, Count)) {
    return EFI_INVALID_PARAMETER;
  }
  UINT8 Value = Bridge->Owner->Ec.Read(static_cast<UINT16>(Address));
  if (IsError(Bridge->IoReadStatus)) {
    return Bridge->IoReadStatus;
  }
  *static_cast<UINT8 *>(Buffer) = Value;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI IoWrite(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This, EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH Width,
                          UINT64 Address, UINTN Count, VOID *Buffer) {
  if (!IsOneByte(Width, Address, Count)) {
    return EFI_INVALID_PARAMETER;
  }
  BridgeOf(This)->Owner->Ec.Write(static_cast<UINT16>(Address), *static_cast<UINT8 *>(Buffer));
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI Configuration(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This, VOID **Resources) {
  RootBridge *Bridge = BridgeOf(This);
  Bridge->ConfigurationCalls++;
  *Resources = nullptr;
  return Bridge->ConfigurationStatus;
}

}  // namespace

static_assert(offsetof(RootBridge, Protocol) == 0);

FakeFirmware &FakeFirmware::Current() {
  if (Active == nullptr) {
    ADD_FAILURE() << "no FakeFirmware is active";
    std::abort();
  }
  return *Active;
}

FakeFirmware::FakeFirmware() {
  Active = this;
  BootServices.Hdr.Signature = 0x56524553544f4f42ULL;
  BootServices.AllocatePool = AllocatePool;
  BootServices.FreePool = FreePool;
  BootServices.HandleProtocol = HandleProtocol;
  BootServices.OpenProtocol = OpenProtocol;
  BootServices.LocateHandle = LocateHandle;
  BootServices.LocateHandleBuffer = LocateHandleBuffer;
  BootServices.Exit = Exit;
  RuntimeServices.Hdr.Signature = 0x56524553544e5552ULL;
  RuntimeServices.GetVariable = GetVariable;
  SystemTable.Hdr.Signature = 0x5453595320494249ULL;
  SystemTable.BootServices = &BootServices;
  SystemTable.RuntimeServices = &RuntimeServices;
  SystemTable.ConOut = &ConOut.Protocol;
  SystemTable.StdErr = &ConOut.Protocol;
  SystemTable.ConIn = &ConIn.Protocol;

  ImageHandle = NewHandle();
  LoadedImage.ImageDataType = EfiLoaderData;
  Install(ImageHandle, EfiLoadedImageProtocolGuid, &LoadedImage);

  ResetImageState(*this);
}

FakeFirmware::~FakeFirmware() {
  for (const auto &[Address, Block] : Pool) {
    ADD_FAILURE() << "pool block of " << Block.Size << " bytes at " << Address << " was never freed";
  }
  for (const std::string &Error : PoolErrors) {
    ADD_FAILURE() << "pool: " << Error;
  }
  ReleaseLeaks();
  Active = nullptr;
}

void FakeFirmware::ReleaseLeaks() {
  for (const auto &Entry : Pool) {
    std::free(Entry.first);
  }
  Pool.clear();
}

EFI_HANDLE FakeFirmware::NewHandle() {
  Handles.push_back(std::make_unique<Handle>());
  return Handles.back().get();
}

void FakeFirmware::Install(EFI_HANDLE Target, const EFI_GUID &Protocol, void *Interface) {
  static_cast<Handle *>(Target)->Protocols.push_back({Protocol, Interface});
}

void FakeFirmware::Uninstall(EFI_HANDLE Target, const EFI_GUID &Protocol) {
  auto &Protocols = static_cast<Handle *>(Target)->Protocols;
  for (auto It = Protocols.begin(); It != Protocols.end(); ++It) {
    if (It->first == Protocol) {
      Protocols.erase(It);
      return;
    }
  }
}

std::vector<EFI_HANDLE> FakeFirmware::HandlesWith(const EFI_GUID &Protocol) const {
  std::vector<EFI_HANDLE> Found;
  for (const auto &Entry : Handles) {
    for (const auto &Installed : Entry->Protocols) {
      if (Installed.first == Protocol) {
        Found.push_back(Entry.get());
        break;
      }
    }
  }
  return Found;
}

void *FakeFirmware::Find(EFI_HANDLE Target, const EFI_GUID &Protocol) const {
  for (const auto &Entry : Handles) {
    if (Entry.get() != Target) {
      continue;
    }
    for (const auto &Installed : Entry->Protocols) {
      if (Installed.first == Protocol) {
        return Installed.second;
      }
    }
  }
  return nullptr;
}

RootBridge &FakeFirmware::AddRootBridge() {
  Bridges.push_back(std::make_unique<RootBridge>());
  RootBridge &Bridge = *Bridges.back();
  Bridge.Owner = this;
  Bridge.Protocol.Io.Read = IoRead;
  Bridge.Protocol.Io.Write = IoWrite;
  Bridge.Protocol.Configuration = Configuration;
  Bridge.Handle = NewHandle();
  Install(Bridge.Handle, EfiPciRootBridgeIoProtocolGuid, &Bridge.Protocol);
  return Bridge;
}


void FakeFirmware::SetVariable(const std::u16string &Name, const EFI_GUID &Vendor, const std::vector<UINT8> &Data) {
  Variables[{Name, GuidKey(Vendor)}] = Data;
}

void FakeFirmware::SetVariable(const std::u16string &Name, const EFI_GUID &Vendor, const std::string &Data) {
  SetVariable(Name, Vendor, std::vector<UINT8>(Data.begin(), Data.end()));
}

RunResult FakeFirmware::Run(const std::function<EFI_STATUS()> &Entry) {
  std::jmp_buf Jump;
  std::jmp_buf *Outer = ExitJump;
  ExitJump = &Jump;
  RunResult Result;
  if (setjmp(Jump) == 0) {
    Result.Status = Entry();
  } else {
    Result.Exited = true;
    Result.Status = Exits.back().Status;
  }
  ExitJump = Outer;
  return Result;
}

}  // namespace fake
