#include "tools/payload/ProgramImage.h"

#include <array>

#include "tools/payload/Bytes.h"
#include "tools/payload/DataSections.h"
#include "tools/payload/MachineCode.h"
#include "tools/payload/Random.h"

namespace tarn::payload {
namespace {

constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kHeaderSize = 0x400;

enum Section { kText, kRdata, kData, kRsrc, kReloc, kSectionCount };

struct Profile {
  std::array<float, kSectionCount> share;  // of the bytes after the headers
  float stringShare;                       // of the read-only data after the imports
  uint32_t repetition;                     // how much the code repeats itself (percent)
};

Profile ProfileOf(ProgramKind kind) {
  switch (kind) {
    case ProgramKind::Application:
      return {{0.50f, 0.17f, 0.07f, 0.21f, 0.05f}, 0.6f, 48};
    case ProgramKind::Library:
      return {{0.64f, 0.16f, 0.07f, 0.06f, 0.07f}, 0.5f, 18};
    case ProgramKind::Codec:
      return {{0.56f, 0.27f, 0.07f, 0.03f, 0.07f}, 0.15f, 30};
  }
  return {};
}

uint32_t AlignUp(uint32_t v, uint32_t to) {
  return (v + to - 1) / to * to;
}

struct Layout {
  std::array<uint32_t, kSectionCount> raw{};  // sizes in the file
  std::array<uint32_t, kSectionCount> rva{};
  uint32_t overlay = 0;
  uint32_t imageSize = 0;
};

Layout LayOut(std::size_t size, const Profile& profile) {
  Layout l;
  const uint32_t body = static_cast<uint32_t>(size) - kHeaderSize;
  const uint32_t aligned = body / kFileAlignment * kFileAlignment;
  uint32_t used = 0;
  for (int s = 0; s < kReloc; ++s) {
    l.raw[s] = static_cast<uint32_t>(profile.share[s] * static_cast<float>(body)) / kFileAlignment *
               kFileAlignment;
    l.raw[s] = std::max(l.raw[s], kFileAlignment);
    used += l.raw[s];
  }
  l.raw[kReloc] = aligned - used;
  l.overlay = body - aligned;
  uint32_t rva = kSectionAlignment;
  for (int s = 0; s < kSectionCount; ++s) {
    l.rva[s] = rva;
    rva += AlignUp(l.raw[s], kSectionAlignment);
  }
  l.imageSize = rva;
  return l;
}

void WriteHeaders(Bytes& out, const Layout& l, uint32_t imageBase, bool dll, Random& r,
                  uint32_t entry) {
  // The MS-DOS header and stub.
  out.U16(0x5A4D), out.U16(0x90), out.U16(3), out.U16(0), out.U16(4), out.U16(0), out.U16(0xFFFF),
      out.U16(0), out.U16(0xB8);
  out.Fill(0x3C - out.Size());
  out.U32(0x80);
  for (uint8_t b :
       {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21})
    out.U8(b);
  out.Ascii("This program cannot be run in DOS mode.\r\r\n$", false);
  out.Fill(0x80 - out.Size());
  // PE signature, file header, optional header.
  out.U32(0x4550);
  out.U16(0x14C), out.U16(kSectionCount), out.U32(0x4C000000 + r.Below(0x400000)), out.U32(0),
      out.U32(0), out.U16(0xE0), out.U16(dll ? 0x210E : 0x010F);
  out.U16(0x10B), out.U8(9), out.U8(0);
  out.U32(l.raw[kText]), out.U32(l.raw[kRdata] + l.raw[kData] + l.raw[kRsrc] + l.raw[kReloc]),
      out.U32(0);
  out.U32(entry), out.U32(l.rva[kText]), out.U32(l.rva[kRdata]), out.U32(imageBase);
  out.U32(kSectionAlignment), out.U32(kFileAlignment);
  out.U16(5), out.U16(0), out.U16(2), out.U16(10), out.U16(5), out.U16(0), out.U32(0);
  out.U32(l.imageSize), out.U32(kHeaderSize), out.U32(0), out.U16(2), out.U16(dll ? 0x140 : 0x8140);
  out.U32(0x100000), out.U32(0x1000), out.U32(0x100000), out.U32(0x1000), out.U32(0), out.U32(16);
  const std::array<std::pair<uint32_t, uint32_t>, 16> directories = {
      {{0, 0},
       {l.rva[kRdata], 0x3C},
       {l.rva[kRsrc], l.raw[kRsrc]},
       {0, 0},
       {0, 0},
       {l.rva[kReloc], l.raw[kReloc]},
       {0, 0},
       {0, 0},
       {0, 0},
       {0, 0},
       {0, 0},
       {0, 0},
       {l.rva[kRdata], 0x200},
       {0, 0},
       {0, 0},
       {0, 0}}};
  for (const auto& [rva, size] : directories)
    out.U32(rva), out.U32(size);
  // Section table.
  static const char* kNames[] = {".text", ".rdata", ".data", ".rsrc", ".reloc"};
  static const uint32_t kFlags[] = {0x60000020, 0x40000040, 0xC0000040, 0x40000040, 0x42000040};
  uint32_t pointer = kHeaderSize;
  for (int s = 0; s < kSectionCount; ++s) {
    Bytes name;
    name.Ascii(kNames[s], false);
    name.Resize(8);
    out.Append(name);
    out.U32(l.raw[s]), out.U32(l.rva[s]), out.U32(l.raw[s]), out.U32(pointer);
    out.U32(0), out.U32(0), out.U32(0), out.U32(kFlags[s]);
    pointer += l.raw[s];
  }
  out.Resize(kHeaderSize);
}

}  // namespace

std::vector<uint8_t> ProgramImage(const std::string& name, std::size_t size, ProgramKind kind) {
  Random r(Random::SeedOf(name));
  const Profile profile = ProfileOf(kind);
  const Layout l = LayOut(size, profile);
  const bool dll = name.find(".exe") == std::string::npos;
  const uint32_t imageBase = dll ? 0x10000000u + (r.Below(0x1000) << 16) : 0x00400000u;

  // Read-only data and data first: the code refers to them.
  Bytes rdata;
  const std::vector<uint32_t> slots =
      EmitImports(r, rdata, l.raw[kRdata] / 4, imageBase, l.rva[kRdata]);
  const std::size_t rest = l.raw[kRdata] - rdata.Size();
  const auto strings_size =
      static_cast<std::size_t>(static_cast<float>(rest) * profile.stringShare);
  std::vector<uint32_t> data_addresses = EmitStrings(
      r, rdata, strings_size, imageBase + l.rva[kRdata] + static_cast<uint32_t>(rdata.Size()));
  EmitTables(r, rdata, l.raw[kRdata] - rdata.Size());
  Bytes data;
  EmitGlobals(r, data, l.raw[kData], imageBase);
  for (uint32_t i = 0; i < 64; ++i)
    data_addresses.push_back(imageBase + l.rva[kData] + 4 * r.Below(l.raw[kData] / 4));

  Bytes text;
  const CodeContext context{imageBase + l.rva[kText], slots, data_addresses, profile.repetition};
  const EmittedCode code = EmitCode(r, text, l.raw[kText], context);
  const std::vector<uint32_t>& functions = code.functions;

  Bytes out;
  WriteHeaders(out, l, imageBase, dll, r,
               functions.empty() ? l.rva[kText] : functions[functions.size() / 2] - imageBase);
  out.Append(text);
  out.Append(rdata);
  out.Append(data);
  EmitResources(r, out, l.raw[kRsrc], name);
  EmitRelocations(out, l.raw[kReloc], l.rva[kText], code.relocations);
  // An overlay: data appended after the image, already compressed by whoever put it there.
  for (uint32_t i = 0; i < l.overlay; ++i)
    out.U8(r.Byte());
  return std::move(out.Data());
}

}  // namespace tarn::payload
