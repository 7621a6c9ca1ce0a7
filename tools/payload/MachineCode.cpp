#include "tools/payload/MachineCode.h"

#include <algorithm>

namespace tarn::payload {
namespace {

// Registers as compilers use them: eax most, then ecx, edx, esi, edi, ebx.
constexpr uint8_t kRegisters[] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 6, 6, 7, 7, 3};

// A short instruction sequence seen before, with the offsets of its absolute addresses.
struct Idiom {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> relocations;
};
constexpr std::size_t kMaxIdioms = 600;

class Emitter {
 public:
  Emitter(Random& random, Bytes& out, const CodeContext& context, std::size_t start)
      : r_(random), out_(out), c_(context), start_(start) {}

  std::vector<uint32_t>& Relocations() { return relocations_; }

  uint32_t Address() const { return c_.base + static_cast<uint32_t>(out_.Size() - start_); }

  void Function(std::vector<uint32_t>& functions) {
    functions.push_back(Address());
    const bool frame = r_.Chance(85);
    const uint32_t saved = r_.Below(4);  // how many of ebx, esi, edi the function keeps
    if (frame) {
      out_.U8(0x55), out_.U8(0x8B), out_.U8(0xEC);  // push ebp; mov ebp, esp
      if (r_.Chance(70)) {
        const uint32_t locals = 4 * (1 + r_.Skewed(40));
        if (locals < 128) {
          out_.U8(0x83), out_.U8(0xEC), out_.U8(locals);
        } else {
          out_.U8(0x81), out_.U8(0xEC), out_.U32(locals);
        }
      }
    }
    static constexpr uint8_t kSaved[] = {0x53, 0x56, 0x57};
    for (uint32_t i = 0; i < saved; ++i)
      out_.U8(kSaved[i]);
    const uint32_t count = 2 + r_.Skewed(40);
    for (uint32_t i = 0; i < count; ++i)
      Sequence(functions);
    for (uint32_t i = saved; i-- > 0;)
      out_.U8(kSaved[i] + 8);  // pop
    if (frame) {
      if (r_.Chance(50)) {
        out_.U8(0xC9);  // leave
      } else {
        out_.U8(0x8B), out_.U8(0xE5), out_.U8(0x5D);  // mov esp, ebp; pop ebp
      }
    }
    if (r_.Chance(35)) {
      out_.U8(0xC2), out_.U16(4 * (1 + r_.Skewed(6)));  // ret n
    } else {
      out_.U8(0xC3);
    }
    while ((out_.Size() - start_) % 16 != 0)
      out_.U8(0xCC);
  }

 private:
  uint8_t Reg() { return kRegisters[r_.Below(sizeof kRegisters)]; }
  // A frame offset: locals below ebp, arguments above it.
  uint8_t FrameOffset() {
    return r_.Chance(60) ? static_cast<uint8_t>(0x100 - 4 * (1 + r_.Skewed(24)))
                         : static_cast<uint8_t>(8 + 4 * r_.Skewed(6));
  }
  uint32_t DataAddress() {
    return c_.dataAddresses.empty()
               ? c_.base
               : c_.dataAddresses[r_.Skewed(static_cast<uint32_t>(c_.dataAddresses.size()))];
  }
  uint32_t ImportSlot() {
    return c_.importSlots.empty()
               ? c_.base
               : c_.importSlots[r_.Skewed(static_cast<uint32_t>(c_.importSlots.size()))];
  }
  void Modrm(uint8_t mod, uint8_t reg, uint8_t rm) { out_.U8(mod << 6 | reg << 3 | rm); }
  uint32_t Offset() const { return static_cast<uint32_t>(out_.Size() - start_); }
  void Absolute(uint32_t address) {
    relocations_.push_back(Offset());
    out_.U32(address);
  }

  // A few instructions: most often a sequence used before, else new ones (which may become an
  // idiom themselves).
  void Sequence(const std::vector<uint32_t>& functions) {
    if (!idioms_.empty() && r_.Chance(c_.repetition)) {
      const Idiom& idiom =
          idioms_[idioms_.size() - 1 - r_.Skewed(static_cast<uint32_t>(idioms_.size()))];
      for (uint32_t at : idiom.relocations)
        relocations_.push_back(Offset() + at);
      out_.Data().insert(out_.Data().end(), idiom.bytes.begin(), idiom.bytes.end());
      return;
    }
    const std::size_t begin = out_.Size();
    const std::size_t first_relocation = relocations_.size();
    for (uint32_t i = 0, n = 1 + r_.Below(4); i < n; ++i)
      Instruction(functions);
    if (idioms_.size() < kMaxIdioms && r_.Chance(35)) {
      Idiom idiom;
      idiom.bytes.assign(out_.Data().begin() + static_cast<std::ptrdiff_t>(begin),
                         out_.Data().end());
      for (std::size_t k = first_relocation; k < relocations_.size(); ++k)
        idiom.relocations.push_back(relocations_[k] - static_cast<uint32_t>(begin - start_));
      idioms_.push_back(std::move(idiom));
    }
  }

  void Instruction(const std::vector<uint32_t>& functions) {
    const uint32_t pick = r_.Below(130);
    const uint8_t reg = Reg();
    if (pick < 24) {  // mov reg, [ebp+d]
      out_.U8(0x8B), Modrm(1, reg, 5), out_.U8(FrameOffset());
    } else if (pick < 38) {  // mov [ebp+d], reg
      out_.U8(0x89), Modrm(1, reg, 5), out_.U8(FrameOffset());
    } else if (pick < 48) {  // mov reg, [base+d]
      uint8_t base = Reg();
      if (base == 4 || base == 5) base = 1;
      out_.U8(0x8B), Modrm(1, reg, base), out_.U8(4 * r_.Skewed(20));
    } else if (pick < 54) {  // mov [base+d], reg
      uint8_t base = Reg();
      if (base == 4 || base == 5) base = 6;
      out_.U8(0x89), Modrm(1, reg, base), out_.U8(4 * r_.Skewed(20));
    } else if (pick < 62) {  // push reg / push [ebp+d]
      if (r_.Chance(50)) {
        out_.U8(0x50 + reg);
      } else {
        out_.U8(0xFF), Modrm(1, 6, 5), out_.U8(FrameOffset());
      }
    } else if (pick < 66) {  // push imm8
      out_.U8(0x6A), out_.U8(r_.Skewed(32));
    } else if (pick < 71) {  // push offset data
      out_.U8(0x68), Absolute(DataAddress());
    } else if (pick < 81) {  // call function
      const uint32_t target = functions.empty() || r_.Chance(20)
                                  ? c_.base + 16 * r_.Below(1 << 16)
                                  : functions[functions.size() - 1 -
                                              r_.Skewed(static_cast<uint32_t>(functions.size()))];
      out_.U8(0xE8), out_.U32(target - (Address() + 4));
      if (r_.Chance(40))
        out_.U8(0x83), out_.U8(0xC4), out_.U8(4 * (1 + r_.Skewed(5)));  // add esp, n
    } else if (pick < 88) {                                             // call [import]
      out_.U8(0xFF), out_.U8(0x15), Absolute(ImportSlot());
    } else if (pick < 93) {  // test reg, reg / cmp reg, imm8
      if (r_.Chance(60)) {
        out_.U8(0x85), Modrm(3, reg, reg);
      } else {
        out_.U8(0x83), Modrm(3, 7, reg), out_.U8(r_.Skewed(16));
      }
    } else if (pick < 103) {  // jcc / jmp short
      static constexpr uint8_t kJumps[] = {0x74, 0x75, 0x74, 0x75, 0x7C, 0x7D,
                                           0x7E, 0x7F, 0x72, 0x73, 0xEB};
      out_.U8(kJumps[r_.Below(sizeof kJumps)]), out_.U8(2 + r_.Skewed(60));
    } else if (pick < 107) {  // xor reg, reg
      out_.U8(0x33), Modrm(3, reg, reg);
    } else if (pick < 112) {  // lea reg, [ebp+d]
      out_.U8(0x8D), Modrm(1, reg, 5), out_.U8(FrameOffset());
    } else if (pick < 116) {  // mov reg, imm32
      out_.U8(0xB8 + reg);
      if (r_.Chance(50)) {
        out_.U32(r_.Skewed(256));
      } else {
        Absolute(DataAddress());
      }
    } else if (pick < 120) {  // add / sub reg, imm8
      out_.U8(0x83), Modrm(3, r_.Chance(50) ? 0 : 5, reg), out_.U8(r_.Skewed(64));
    } else if (pick < 124) {  // mov eax, [global] / mov [global], eax
      out_.U8(r_.Chance(60) ? 0xA1 : 0xA3), Absolute(DataAddress());
    } else if (pick < 127) {  // inc / dec
      out_.U8((r_.Chance(50) ? 0x40 : 0x48) + reg);
    } else {  // movzx reg, byte [base+d]
      out_.U8(0x0F), out_.U8(0xB6), Modrm(1, reg, 6), out_.U8(r_.Skewed(32));
    }
  }

  Random& r_;
  Bytes& out_;
  const CodeContext& c_;
  std::size_t start_;
  std::vector<Idiom> idioms_;
  std::vector<uint32_t> relocations_;
};

}  // namespace

EmittedCode EmitCode(Random& random, Bytes& out, std::size_t size, const CodeContext& context) {
  const std::size_t start = out.Size(), end = start + size;
  EmittedCode code;
  Emitter emitter(random, out, context, start);
  while (out.Size() < end)
    emitter.Function(code.functions);
  out.Resize(end);
  code.relocations = std::move(emitter.Relocations());
  while (!code.relocations.empty() && code.relocations.back() + 4 > size)
    code.relocations.pop_back();
  return code;
}

}  // namespace tarn::payload
