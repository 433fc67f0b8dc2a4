// Walking whole device paths: separators, instances, nodes without a row,
// malformed nodes, and pool failures. Every path lies at the very end of its
// own block, so an overread fails under the sanitizer build.
#include <string>
#include <vector>

#include "print/Print.h"
#include "tests/devpath/DevicePathFixture.h"

namespace devpath_test {
namespace {

Bytes PciRoot() { return Node(AcpiDevicePath, AcpiSubType).U32(0x0A0341D0).U32(0); }
Bytes Pci(UINT8 Device, UINT8 Function) { return Node(HardwareDevicePath, HardwarePciSubType).U8(Function).U8(Device); }
Bytes Sata() { return Node(MessagingDevicePath, MessagingSataSubType).U16(0).U16(0xFFFF).U16(0); }
Bytes Usb(UINT8 Port) { return Node(MessagingDevicePath, MessagingUsbSubType).U8(Port).U8(0); }
Bytes GptPartition() {
  Node Hd(MediaDevicePath, MediaHardDriveSubType);
  Hd.U32(1).U64(0x800).U64(0x32000).Guid(PlainGuid).U8(2).U8(2);
  return Hd;
}
Bytes File(const std::u16string &Name) {
  return Node(MediaDevicePath, MediaFilePathSubType).Text16(Name).U16(0);
}

Bytes BootPath() {
  return Path({PciRoot(), Pci(0x1F, 2), Sata(), GptPartition(), File(u"\\EFI\\BOOT\\BOOTX64.EFI"), EndEntire()});
}
constexpr char16_t BootPathText[] =
    u"Acpi(PNP0A03,0)/Pci(1F|2)/Sata(0,0)/HD(Part1,Sig" PLAIN_GUID_TEXT u")/\\EFI\\BOOT\\BOOTX64.EFI";

TEST_F(DevicePathTest, WalksAPathPartingItsNodesWithSlashes) {
  WalkResult Result = Walk(BootPath());
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(Result.Text, BootPathText);
}

TEST_F(DevicePathTest, PartsInstancesWithACommaAndNodesWithASlash) {
  struct Case {
    const char *Name;
    Bytes Content;
    std::u16string Want;
  };
  const Case Cases[] = {
      {"two instances", Path({PciRoot(), Pci(2, 0), EndInstance(), PciRoot(), Pci(0x1D, 0), Usb(1), EndEntire()}),
       u"Acpi(PNP0A03,0)/Pci(2|0),Acpi(PNP0A03,0)/Pci(1D|0)/Usb(1,0)"},
      {"an instance end last", Path({Pci(1, 0), EndInstance(), EndEntire()}), u"Pci(1|0),"},
      {"instance ends back to back", Path({EndInstance(), EndInstance(), Pci(1, 0), EndEntire()}), u",,Pci(1|0)"},
      {"only the end node", Path({EndEntire()}), u""},
      {"nodes without text take no separator",
       Path({Pci(1, 0), File(u""), Node(MessagingDevicePath, MessagingVendorSubType).Guid(UartFlowControlGuid).U32(3),
             Usb(2), EndInstance(), File(u" "), Usb(3), EndEntire()}),
       u"Pci(1|0)/Usb(2,0),Usb(3,0)"},
  };
  for (const Case &C : Cases) {
    WalkResult Result = Walk(C.Content);
    EXPECT_EQ(Result.Status, EFI_SUCCESS) << C.Name;
    EXPECT_EQ(Result.Text, C.Want) << C.Name;
  }
}

TEST_F(DevicePathTest, NodesWithoutARowPrintTheirTypeSubtypeAndData) {
  Bytes Unknown = Node(MessagingDevicePath, 0x1E).Raw({0x0A, 0x0B});
  Bytes EndOfOtherKind = Node(EndDevicePath, 0x02);
  Bytes HighType = Node(0x30, 0xFF).Raw({0x00});
  WalkResult Result = Walk(Path({Pci(0x1F, 2), Unknown, EndOfOtherKind, HighType, EndEntire()}));
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(Result.Text, u"Pci(1F|2)/Path(3,1E,0A0B)/Path(7F,2)/Path(30,FF,00)");
}

TEST_F(DevicePathTest, StopsAtTheEndNodeAndAppendsToTextAlreadyThere) {
  // Behind the end node lies a node that would be malformed: it is never read.
  Bytes Content = Path({Pci(1, 0), EndEntire(), Node(HardwareDevicePath, HardwarePciSubType).Length(0)});
  TailBlock Block(Content);
  POOL_STRING String = {nullptr, 0, 0};
  PrintAppend(&String, u"Boot0001: ");
  EXPECT_EQ(AppendDevicePathText(&String, Block.Path(), Block.Size()), EFI_SUCCESS);
  EXPECT_EQ(TakeText(&String), u"Boot0001: Pci(1|0)");
}

// Each malformed node stops the walk there with an error; the text of the
// nodes before it stays, without a separator for the refused node.
TEST_F(DevicePathTest, MalformedNodesStopTheWalkLeavingTheTextSoFar) {
  Bytes Good = Pci(0x1F, 2);
  struct Case {
    const char *Name;
    Bytes Bad;
  };
  const Case Cases[] = {
      {"Length 0", Node(HardwareDevicePath, HardwareControllerSubType).U32(1).Length(0)},
      {"Length 3", Node(HardwareDevicePath, HardwareControllerSubType).U32(1).Length(3)},
      {"Length 3 of a node without a row", Node(0x30, 1).Length(3)},
      {"a node reaching past the memory", Node(HardwareDevicePath, HardwareControllerSubType).U32(1).Length(12)},
      {"an end node reaching past the memory", Node(EndDevicePath, EndEntireSubType).Length(5)},
      {"a header cut off by the memory's end", Bytes{EndDevicePath, EndEntireSubType, 4}},
      {"no end node at all", Bytes{}},
      {"pci of 5 bytes", Node(HardwareDevicePath, HardwarePciSubType).U8(2)},
      {"acpi _ADR of 7 bytes", Node(AcpiDevicePath, AcpiAdrSubType).Raw({1, 2, 3})},
      {"hardware vendor of 19 bytes", Node(HardwareDevicePath, HardwareVendorSubType).Zeros(15)},
      {"messaging vendor of 19 bytes", Node(MessagingDevicePath, MessagingVendorSubType).Zeros(15)},
      {"uart flow control of 23 bytes", Node(MessagingDevicePath, MessagingVendorSubType).Guid(UartFlowControlGuid).Raw({0, 0, 0})},
      {"sas of 43 bytes", Node(MessagingDevicePath, MessagingVendorSubType).Guid(SasDeviceGuid).Zeros(23)},
      {"mac of 36 bytes", Node(MessagingDevicePath, MessagingMacAddressSubType).Zeros(32)},
      {"uart of 18 bytes", Node(MessagingDevicePath, MessagingUartSubType).Zeros(14)},
      {"hard drive of 41 bytes", Node(MediaDevicePath, MediaHardDriveSubType).Zeros(37)},
      {"relative offset range of 23 bytes", Node(MediaDevicePath, MediaRelativeOffsetRangeSubType).Zeros(19)},
      {"expanded acpi of 16 bytes", Node(AcpiDevicePath, AcpiExpandedSubType).Zeros(12)},
      {"expanded acpi, HID string not ended",
       Node(AcpiDevicePath, AcpiExpandedSubType).Zeros(12).Ascii("PNP0A08", false)},
      {"expanded acpi, CID string not ended",
       Node(AcpiDevicePath, AcpiExpandedSubType).Zeros(12).Ascii("h").Ascii("u").Ascii("c", false)},
      {"expanded acpi, two strings", Node(AcpiDevicePath, AcpiExpandedSubType).Zeros(12).Ascii("").Ascii("")},
      {"bbs description not ended", Node(BbsDevicePath, BbsBbsSubType).U16(2).U16(0).Ascii("SATA", false)},
      {"bbs without description", Node(BbsDevicePath, BbsBbsSubType).U16(2).U16(0)},
      {"iscsi target name not ended",
       Node(MessagingDevicePath, MessagingIscsiSubType).Zeros(14).Ascii("iqn.2004-01.com.example", false)},
  };
  for (const Case &C : Cases) {
    // The refused node is last in memory, so an overread would leave the block.
    WalkResult Result = Walk(Path({Good, C.Bad}));
    EXPECT_EQ(Result.Status, EFI_INVALID_PARAMETER) << C.Name;
    EXPECT_EQ(Result.Text, u"Pci(1F|2)") << C.Name;
  }
}

TEST_F(DevicePathTest, RefusesAnEmptyOrMissingPath) {
  WalkResult Empty = Walk(Bytes{});
  EXPECT_EQ(Empty.Status, EFI_INVALID_PARAMETER);
  EXPECT_EQ(Empty.Text, u"");

  POOL_STRING String = {nullptr, 0, 0};
  EXPECT_EQ(AppendDevicePathText(&String, nullptr, 4), EFI_INVALID_PARAMETER);
  EXPECT_EQ(String.Str, nullptr);
  Bytes End = EndEntire();
  EXPECT_EQ(AppendDevicePathText(nullptr, reinterpret_cast<const EFI_DEVICE_PATH_PROTOCOL *>(End.data()), 4),
            EFI_INVALID_PARAMETER);
}

// A string exactly full, so that the next append must grow it.
POOL_STRING FullString() {
  POOL_STRING String = {nullptr, 0, 0};
  PrintAppend(&String, u"x");
  PrintAppend(&String, u"%s", std::u16string(String.Capacity - 2, u'x').c_str());
  EXPECT_EQ(String.Length + 1, String.Capacity);
  return String;
}

TEST_F(DevicePathTest, ADroppedStringEndsTheWalkWithOutOfResources) {
  Bytes Content = Path({Pci(1, 0), EndEntire()});
  TailBlock Block(Content);
  POOL_STRING String = FullString();
  // A run takes its scratch and its buffer; the third allocation is the growth.
  Firmware.FailAllocation(Firmware.Calls(fake::Service::AllocatePool) + 3);
  EXPECT_EQ(AppendDevicePathText(&String, Block.Path(), Block.Size()), EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(String.Str, nullptr);
  EXPECT_EQ(String.Length, 0u);
}

TEST_F(DevicePathTest, AnEmptyStringThatCannotGetItsBlockEndsTheWalk) {
  Bytes Content = Path({Pci(1, 0), EndEntire()});
  TailBlock Block(Content);
  POOL_STRING String = {nullptr, 0, 0};
  Firmware.FailAllocation(Firmware.Calls(fake::Service::AllocatePool) + 1);
  EXPECT_EQ(AppendDevicePathText(&String, Block.Path(), Block.Size()), EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(String.Str, nullptr);
}

// Whichever allocation fails, every block is given back and the walk ends in
// success or in EFI_OUT_OF_RESOURCES, with a terminated string.
TEST(DevicePathPool, StaysBalancedWhateverAllocationFails) {
  Bytes Content = Path({PciRoot(), Pci(0x1F, 2), Sata(), GptPartition(),
                        File(u"  \\EFI\\BOOT\\" + std::u16string(1100, u'A') + u".EFI "), EndEntire()});
  std::u16string Whole;
  unsigned Allocations = 0;
  {
    fake::FakeFirmware Firmware;
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    WalkResult Result = Walk(Content);
    ASSERT_EQ(Result.Status, EFI_SUCCESS);
    Whole = Result.Text;
    Allocations = Firmware.Calls(fake::Service::AllocatePool);
  }
  ASSERT_GT(Whole.size(), 1100u);
  for (unsigned Nth = 1; Nth <= Allocations; Nth++) {
    SCOPED_TRACE(Nth);
    fake::FakeFirmware Firmware;
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    Firmware.FailAllocation(Nth);
    WalkResult Result = Walk(Content);
    EXPECT_TRUE(Result.Status == EFI_SUCCESS || Result.Status == EFI_OUT_OF_RESOURCES) << Result.Status;
    EXPECT_LE(Result.Text.size(), Whole.size());
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

}  // namespace
}  // namespace devpath_test
