// The text of every node kind the table knows, node bytes in, text out, each
// node walked on its own at the end of its block.
#include <string>
#include <vector>

#include "devpath/NodeRenderers.h"
#include "print/Print.h"
#include "tests/devpath/DevicePathFixture.h"

namespace devpath_test {
namespace {

struct Case {
  const char *Name;
  Bytes Node;
  std::u16string Want;
};

Bytes MacAddress(std::initializer_list<UINT8> Leading) {
  Bytes Address(Leading);
  Address.resize(32, 0);
  return Address;
}

Node MacNode(const Bytes &Address, UINT8 IfType) {
  Node Mac(MessagingDevicePath, MessagingMacAddressSubType);
  for (UINT8 Byte : Address) Mac.U8(Byte);
  return Mac.U8(IfType);
}

Node Uart(UINT64 Baud, UINT8 DataBits, UINT8 Parity, UINT8 StopBits) {
  return Node(MessagingDevicePath, MessagingUartSubType).U32(0).U64(Baud).U8(DataBits).U8(Parity).U8(StopBits);
}

Node Vendor(UINT8 Type, UINT8 SubType, const EFI_GUID &Guid) { return Node(Type, SubType).Guid(Guid); }
Node MessagingVendor(const EFI_GUID &Guid) { return Vendor(MessagingDevicePath, MessagingVendorSubType, Guid); }

Node FlowControl(UINT32 Map) { return MessagingVendor(UartFlowControlGuid).U32(Map); }

Node Sas(UINT16 Topology) {
  return MessagingVendor(SasDeviceGuid).U32(0x77).U64(0x5000C50012345678).U64(0x2).U16(Topology).U16(0x1);
}

Node Iscsi(UINT16 Protocol, UINT16 Options) {
  return Node(MessagingDevicePath, MessagingIscsiSubType)
      .U16(Protocol)
      .U16(Options)
      .U64(0x1234)
      .U16(1)
      .Ascii("iqn.2004-01.com.example:disk");
}

Node HardDrive(UINT32 Partition, const Bytes &Signature, UINT8 MbrType, UINT8 SignatureType) {
  Node Hd(MediaDevicePath, MediaHardDriveSubType);
  Hd.U32(Partition).U64(0x800).U64(0x100000);
  for (UINT8 Byte : Signature) Hd.U8(Byte);
  return Hd.U8(MbrType).U8(SignatureType);
}

Bytes GuidBytes(const EFI_GUID &Guid) {
  Bytes Out(16);
  std::memcpy(Out.data(), &Guid, 16);
  return Out;
}

Node Bbs(UINT16 DeviceType, const std::string &Description) {
  return Node(BbsDevicePath, BbsBbsSubType).U16(DeviceType).U16(0).Ascii(Description);
}

Node FilePath(const std::u16string &Text) { return Node(MediaDevicePath, MediaFilePathSubType).Text16(Text); }

std::vector<Case> NodeCases() {
  return {
      // Hardware.
      {"pci", Node(HardwareDevicePath, HardwarePciSubType).U8(2).U8(0x1F), u"Pci(1F|2)"},
      {"pc card", Node(HardwareDevicePath, HardwarePcCardSubType).U8(0xA), u"Pccard(FunctionA)"},
      {"memory mapped",
       Node(HardwareDevicePath, HardwareMemMapSubType).U32(11).U64(0xFED00000).U64(0x1FED003FF),
       u"MemMap(11:FED00000-1FED003FF)"},
      {"hardware vendor of 20 bytes", Vendor(HardwareDevicePath, HardwareVendorSubType, PlainGuid),
       u"VenHw(" PLAIN_GUID_TEXT u")"},
      {"hardware vendor with data", Vendor(HardwareDevicePath, HardwareVendorSubType, PlainGuid).Raw({0x0A, 0xFF}),
       u"VenHw(" PLAIN_GUID_TEXT u",0AFF)"},
      {"hardware vendor ignores the messaging GUIDs", Vendor(HardwareDevicePath, HardwareVendorSubType, SasDeviceGuid),
       u"VenHw(D487DDB4-008B-11D9-AFDC-001083FFCA4D)"},
      {"controller", Node(HardwareDevicePath, HardwareControllerSubType).U32(0xFFFFFFFF), u"Ctrl(4294967295)"},

      // ACPI.
      {"acpi pnp", Node(AcpiDevicePath, AcpiSubType).U32(0x0A0341D0).U32(0), u"Acpi(PNP0A03,0)"},
      {"acpi eight digits", Node(AcpiDevicePath, AcpiSubType).U32(0x00000ABC).U32(0x1F), u"Acpi(00000ABC,1F)"},
      {"acpi pnp high half only", Node(AcpiDevicePath, AcpiSubType).U32(0x41D00A03).U32(1), u"Acpi(41D00A03,1)"},
      {"expanded acpi, empty strings",
       Node(AcpiDevicePath, AcpiExpandedSubType).U32(0x0A0841D0).U32(2).U32(0x0A0341D0).Ascii("").Ascii("").Ascii(""),
       u"AcpiEx(PNP0A08,PNP0A03,2,NULL,NULL,NULL)"},
      {"expanded acpi prints HID, CID, UID strings",
       Node(AcpiDevicePath, AcpiExpandedSubType).U32(0x1234).U32(7).U32(0xAB00).Ascii("HIDS").Ascii("UIDS").Ascii(
           "CIDS"),
       u"AcpiEx(00001234,0000AB00,7,HIDS,CIDS,UIDS)"},
      {"expanded acpi, only the UID string",
       Node(AcpiDevicePath, AcpiExpandedSubType).U32(0x0A0341D0).U32(0).U32(0).Ascii("").Ascii("u").Ascii(""),
       u"AcpiEx(PNP0A03,00000000,0,NULL,NULL,u)"},
      {"acpi adr of 8 bytes", Node(AcpiDevicePath, AcpiAdrSubType).U32(0x80010100), u"AcpiAdr(80010100)"},
      {"acpi adr of 16 bytes", Node(AcpiDevicePath, AcpiAdrSubType).U32(1).U32(2).U32(0x3C), u"AcpiAdr(1,2,3C)"},
      {"acpi adr drops a partial address", Node(AcpiDevicePath, AcpiAdrSubType).U32(1).U32(2).Raw({0xAA, 0xBB}),
       u"AcpiAdr(1,2)"},

      // Messaging.
      {"atapi primary master", Node(MessagingDevicePath, MessagingAtapiSubType).U8(0).U8(0).U16(0),
       u"Ata(Primary,Master)"},
      {"atapi secondary slave", Node(MessagingDevicePath, MessagingAtapiSubType).U8(1).U8(2).U16(5),
       u"Ata(Secondary,Slave)"},
      {"scsi", Node(MessagingDevicePath, MessagingScsiSubType).U16(0x1F).U16(3), u"Scsi(Pun1F,Lun3)"},
      {"fibre channel",
       Node(MessagingDevicePath, MessagingFibreChannelSubType).U32(0).U64(0x2000000C50123456).U64(0x4000000000000000),
       u"Fibre(Wwn2000000C50123456,Lun4000000000000000)"},
      {"1394", Node(MessagingDevicePath, Messaging1394SubType).U32(0).U64(0x0800460012345678),
       u"1394(800460012345678)"},
      {"usb", Node(MessagingDevicePath, MessagingUsbSubType).U8(3).U8(0), u"Usb(3,0)"},
      {"usb wwid", Node(MessagingDevicePath, MessagingUsbWwidSubType).U16(1).U16(0x0781).U16(0x5567).Text16(u"SN1"),
       u"UsbWwid(781,5567,1,\"WWID\")"},
      {"logical unit", Node(MessagingDevicePath, MessagingLogicalUnitSubType).U8(0x2A), u"Unit(2A)"},
      {"usb class", Node(MessagingDevicePath, MessagingUsbClassSubType).U16(0x046D).U16(0xC52B).U8(3).U8(1).U8(2),
       u"Usb Class(46D,C52B,3,1,2)"},
      {"sata without port multiplier", Node(MessagingDevicePath, MessagingSataSubType).U16(1).U16(0xFFFF).U16(0),
       u"Sata(1,0)"},
      {"sata behind a port multiplier", Node(MessagingDevicePath, MessagingSataSubType).U16(2).U16(0x7FFF).U16(3),
       u"Sata(2,7FFF,3)"},
      {"i2o", Node(MessagingDevicePath, MessagingI2oSubType).U32(0xABCDEF), u"I2O(ABCDEF)"},
      {"mac of interface type 1", MacNode(MacAddress({0x00, 0x1B, 0x21, 0x0A, 0x0B, 0x0C, 0xEE}), 1),
       u"Mac(001B210A0B0C)"},
      {"mac of interface type 0", MacNode(MacAddress({0xFF, 1, 2, 3, 4, 5, 0xEE}), 0), u"Mac(FF0102030405)"},
      {"mac of interface type 6",
       MacNode({0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
                0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0xFF},
               6),
       u"Mac(000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1EFF)"},
      {"ipv4 shows the remote end",
       Node(MessagingDevicePath, MessagingIpv4SubType).Raw({192, 168, 0, 10}).Raw({10, 0, 0, 1}).U16(68).U16(69).U16(
           0x11).U8(1),
       u"IPv4(10.0.0.1:69)"},
      {"ipv6 shows the remote address",
       Node(MessagingDevicePath, MessagingIpv6SubType)
           .Zeros(16)
           .Raw({0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0x02, 0x1B, 0x21, 0xFF, 0xFE, 0x0A, 0x0B, 0x0C})
           .U16(1)
           .U16(2)
           .U16(6)
           .U8(0),
       u"IPv6(FE80:0000:0000:0000:021B:21FF:FE0A:0B0C)"},
      {"infiniband",
       Node(MessagingDevicePath, MessagingInfinibandSubType).U32(1).Guid(PlainGuid).U64(0x10).U64(0x20).U64(0xFFFFFFFFFFFFFFFF),
       u"Infiniband(1," PLAIN_GUID_TEXT u",10,20,FFFFFFFFFFFFFFFF)"},
      {"uart defaults", Uart(0, 0, 1, 2), u"Uart(DEFAULT,N,D,1.5)"},
      {"uart 115200 8D1", Uart(115200, 8, 0, 1), u"Uart(115200,D,8,1)"},
      {"uart parity E, stop D", Uart(9600, 7, 2, 0), u"Uart(9600,E,7,D)"},
      {"uart parity O, stop 2", Uart(9600, 7, 3, 3), u"Uart(9600,O,7,2)"},
      {"uart parity M and S", Uart(1, 5, 4, 1), u"Uart(1,M,5,1)"},
      {"uart parity S", Uart(1, 5, 5, 1), u"Uart(1,S,5,1)"},
      {"uart out-of-range parity and stop bits", Uart(300, 9, 6, 4), u"Uart(300,x,9,x)"},
      {"pc-ansi terminal", MessagingVendor(PcAnsiTerminalGuid), u"VenPcAnsi()"},
      {"vt-100 terminal", MessagingVendor(Vt100TerminalGuid).Raw({1}), u"VenVt100()"},
      {"vt-100+ terminal", MessagingVendor(Vt100PlusTerminalGuid), u"VenVt100Plus()"},
      {"vt-utf8 terminal, data ignored", MessagingVendor(VtUtf8TerminalGuid).Raw({0xDE, 0xAD}), u"VenUft8()"},
      {"debug port", MessagingVendor(DebugPortGuid), u"DebugPort()"},
      {"other messaging vendor", MessagingVendor(PlainGuid).Raw({1, 2}), u"VenMsg(" PLAIN_GUID_TEXT u",0102)"},
      {"uart flow control none", FlowControl(0), u"UartFlowCtrl(None)"},
      {"uart flow control hardware", FlowControl(1), u"UartFlowCtrl(Hardware)"},
      {"uart flow control xon/xoff", FlowControl(2), u"UartFlowCtrl(XonXoff)"},
      {"uart flow control 3 prints nothing", FlowControl(3), u""},
      {"uart flow control reads the two low bits", FlowControl(0xFFFFFFFD), u"UartFlowCtrl(Hardware)"},
      {"sas without topology", Sas(0x0000), u"SAS(5000C50012345678,2,1,NoTopology,0,0,0,77)"},
      {"sas topology 1", Sas(0xFF01), u"SAS(5000C50012345678,2,1,SAS,Internal,Direct,0,77)"},
      {"sas topology 2, high byte 5", Sas(0x0572), u"SAS(5000C50012345678,2,1,SATA,External,Expanded,5,77)"},
      {"sas topology 3 to 15", Sas(0x0573), u"SAS(5000C50012345678,2,1,0,0,0,0,77)"},
      {"sas topology 15", Sas(0x007F), u"SAS(5000C50012345678,2,1,0,0,0,0,77)"},
      {"iscsi header digest, no authentication", Iscsi(0, 0x0802),
       u"iSCSI(iqn.2004-01.com.example:disk,1,1234,CRC32C,None,None,TCP)"},
      {"iscsi no authentication wins over chap", Iscsi(0, 0x1808),
       u"iSCSI(iqn.2004-01.com.example:disk,1,1234,None,CRC32C,None,TCP)"},
      {"iscsi chap unidirectional", Iscsi(1, 0x1000),
       u"iSCSI(iqn.2004-01.com.example:disk,1,1234,None,None,CHAP_UNI,reserved)"},
      {"iscsi chap bidirectional", Iscsi(0, 0x0000),
       u"iSCSI(iqn.2004-01.com.example:disk,1,1234,None,None,CHAP_BI,TCP)"},

      // Media.
      {"hard drive, no signature", HardDrive(1, Bytes(16, 0xEE), 1, 0), u"HD(Part1,MBRType=01,SigType=00)"},
      {"hard drive, MBR signature",
       HardDrive(2, {0x4D, 0x3C, 0x2B, 0x1A, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 1, 1), u"HD(Part2,Sig1A2B3C4D)"},
      {"hard drive, GUID signature", HardDrive(3, GuidBytes(PlainGuid), 2, 2), u"HD(Part3,Sig" PLAIN_GUID_TEXT u")"},
      {"hard drive, other signature type", HardDrive(4, Bytes(16, 0), 2, 0x17), u"HD(Part4,MBRType=02,SigType=17)"},
      {"cdrom", Node(MediaDevicePath, MediaCdromSubType).U32(0x1A).U64(0).U64(0), u"CDROM(Entry1A)"},
      {"media vendor", Vendor(MediaDevicePath, MediaVendorSubType, PlainGuid).Raw({1}),
       u"VenMedia(" PLAIN_GUID_TEXT u",01)"},
      {"file path trimmed of spaces", FilePath(std::u16string(u"  \\EFI\\BOOT\\BOOTX64.EFI \0", 25)),
       u"\\EFI\\BOOT\\BOOTX64.EFI"},
      {"file path without terminator", FilePath(u"abc"), u"abc"},
      {"file path of length 4", FilePath(u""), u""},
      {"file path of spaces only", FilePath(u"   "), u""},
      {"file path stops at its terminator", FilePath(std::u16string(u"a\0b", 3)), u"a"},
      {"file path drops an odd last byte", Node(MediaDevicePath, MediaFilePathSubType).Text16(u"ab").U8('c'), u"ab"},
      {"media protocol, named by the shell", Node(MediaDevicePath, MediaProtocolSubType).Guid(NamedGuid),
       u"Media(BlockIo)"},
      {"firmware volume", Node(MediaDevicePath, MediaFirmwareVolumeSubType).Guid(PlainGuid),
       u"Fv(" PLAIN_GUID_TEXT u")"},
      {"firmware file, the GUID alone", Node(MediaDevicePath, MediaFirmwareFileSubType).Guid(PlainGuid),
       PLAIN_GUID_TEXT},
      {"firmware file, named by the shell", Node(MediaDevicePath, MediaFirmwareFileSubType).Guid(NamedGuid),
       u"BlockIo"},
      // The reserved field at byte 4 must not reach the text.
      {"relative offset range",
       Node(MediaDevicePath, MediaRelativeOffsetRangeSubType).U32(0xDEADBEEF).U64(0x1000).U64(0x123456789AB),
       u"Offset(1000,123456789AB)"},

      // BBS.
      {"bbs floppy", Bbs(1, "A:"), u"BBS-Floppy(A:)"},
      {"bbs hard drive", Bbs(2, "SATA: WDC"), u"BBS-Harddrive(SATA: WDC)"},
      {"bbs cdrom", Bbs(3, ""), u"BBS-CDROM()"},
      {"bbs pcmcia", Bbs(4, "x"), u"BBS-PCMCIA(x)"},
      {"bbs usb", Bbs(5, "x"), u"BBS-Usb(x)"},
      {"bbs net", Bbs(6, "PXE"), u"BBS-Net(PXE)"},
      {"bbs bev", Bbs(0x80, "iPXE"), u"BBS-BEV(iPXE)"},
      {"bbs other type", Bbs(0x81, "x"), u"BBS-?(x)"},
      {"bbs type 0", Bbs(0, "x"), u"BBS-?(x)"},
  };
}

TEST_F(DevicePathTest, EachNodeKindPrintsItsText) {
  for (const Case &C : NodeCases()) {
    WalkResult Result = Walk(Path({C.Node, EndEntire()}));
    EXPECT_EQ(Result.Status, EFI_SUCCESS) << C.Name;
    EXPECT_EQ(Result.Text, C.Want) << C.Name;
  }
}

TEST_F(DevicePathTest, EndOfInstanceAppendsAComma) {
  WalkResult Result = Walk(Path({EndInstance(), EndEntire()}));
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(Result.Text, u",");
}

TEST_F(DevicePathTest, GuidsAskTheShellForTheirNames) {
  // The named GUID, the plain one, then the named one again: the shell is
  // asked each time, and only a name it knows replaces the numeric form.
  Bytes Named = Node(MediaDevicePath, MediaFirmwareVolumeSubType).Guid(NamedGuid);
  Bytes Plain = Node(MediaDevicePath, MediaFirmwareVolumeSubType).Guid(PlainGuid);
  WalkResult Result = Walk(Path({Named, Plain, Named, EndEntire()}));
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(Result.Text, u"Fv(BlockIo)/Fv(" PLAIN_GUID_TEXT u")/Fv(BlockIo)");
  EXPECT_EQ(Shell.NameLookups, 3u);
}

// Every row's renderer, given a node of exactly its row's minimum length at
// the very end of a block, reads nothing past it (the sanitizer build turns
// an overread into a failure); one byte less and the walk refuses the node.
TEST_F(DevicePathTest, RowsReadNoFurtherThanTheirMinimumLength) {
  unsigned Rows = 0;
  for (const DEVICE_PATH_TEXT_ENTRY *Entry = DevicePathNodeText; Entry->Renderer != nullptr; Entry++, Rows++) {
    SCOPED_TRACE(::testing::Message() << "row " << Rows << ": type " << int(Entry->Type) << " subtype "
                                      << int(Entry->SubType));
    // Zero bytes: empty strings for the rows that read strings.
    UINTN Size = Entry->MinimumLength + (Entry->IsComplete != nullptr ? 3 : 0);
    Bytes Content = Node(Entry->Type, Entry->SubType).Zeros(Size - 4);
    TailBlock Block(Content);
    ASSERT_TRUE(Entry->IsComplete == nullptr || Entry->IsComplete(Block.Path(), Size));
    POOL_STRING String = {nullptr, 0, 0};
    Entry->Renderer(&String, Block.Path());
    TakeText(&String);

    if (Entry->MinimumLength > sizeof(EFI_DEVICE_PATH_PROTOCOL)) {
      Bytes Short = Node(Entry->Type, Entry->SubType).Zeros(Entry->MinimumLength - 5);
      WalkResult Result = Walk(Path({Short, EndEntire()}));
      EXPECT_EQ(Result.Status, EFI_INVALID_PARAMETER);
      EXPECT_EQ(Result.Text, u"");
    }
  }
  EXPECT_EQ(Rows, 35u);
  EXPECT_EQ(DevicePathNodeText[Rows].Type, 0);
  EXPECT_EQ(DevicePathNodeText[Rows].SubType, 0);
}

TEST_F(DevicePathTest, FilePathAppendsNothingWithoutItsBlock) {
  Bytes Content = FilePath(u"\\EFI");
  TailBlock Block(Content);
  POOL_STRING String = {nullptr, 0, 0};
  Firmware.FailAllocation(Firmware.Calls(fake::Service::AllocatePool) + 1);
  FilePathNodeText(&String, Block.Path());
  EXPECT_EQ(String.Str, nullptr);
  EXPECT_EQ(String.Length, 0u);
  EXPECT_EQ(Firmware.OutstandingBlocks().size(), 0u);

  // Appended to text already there, it leaves that text as it was.
  PrintAppend(&String, u"Pci(1|0)/");
  Firmware.FailAllocation(Firmware.Calls(fake::Service::AllocatePool) + 1);
  FilePathNodeText(&String, Block.Path());
  EXPECT_EQ(TakeText(&String), u"Pci(1|0)/");
}

}  // namespace
}  // namespace devpath_test
