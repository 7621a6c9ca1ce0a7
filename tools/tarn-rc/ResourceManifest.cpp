#include "ResourceManifest.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "base/Exception.h"
#include "base/QuotedText.h"
#include "framework/ResourceId.h"

namespace tarn::rc {
namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool IsNumber(const std::string& s) {
  return !s.empty() && s.size() <= 5 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsWord(const std::string& s) {
  if (s.empty()) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-';
  });
}

class LineReader {
 public:
  LineReader(const std::string& where, const std::string& text) : where_(where), text_(text) {}

  [[noreturn]] void Fail(const std::string& message) const {
    throw ManifestError(where_ + ": " + message);
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
      ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size() || text_[pos_] == '#';
  }
  bool AtQuote() {
    SkipBlanks();
    return pos_ < text_.size() && text_[pos_] == '"';
  }
  std::string Token() {
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t')
      ++pos_;
    return text_.substr(start, pos_ - start);
  }
  // A quoted text: UTF-8 parts become code page 936, \xHH bytes stay as they are.
  std::string Quoted() {
    try {
      return DecodeQuotedText(text_, pos_);
    } catch (const EConvertError& e) {
      Fail(e.Message());
    }
  }

 private:
  std::string where_;
  const std::string& text_;
  std::size_t pos_ = 0;
};

uint32_t ReadLe(const std::string& b, std::size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

std::string ReadFile(const std::filesystem::path& path, const LineReader& line) {
  std::ifstream in(path, std::ios::binary);
  if (!in) line.Fail("cannot read " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A bitmap resource is the device-independent bitmap without the file's 14-byte header, with its
// pixels right after the colour table.
void MakeBitmap(ManifestEntry& entry, const LineReader& line) {
  const std::string file = ReadFile(entry.File, line);
  if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') {
    line.Fail(entry.File.string() + " is not a BMP file");
  }
  const uint32_t bits_at = ReadLe(file, 10, 4);
  const uint32_t header = ReadLe(file, 14, 4);
  if (header < 12 || 14 + static_cast<uint64_t>(header) > file.size() || bits_at > file.size()) {
    line.Fail(entry.File.string() + " is not a valid BMP file");
  }
  uint64_t packed = 14 + static_cast<uint64_t>(header);
  if (header >= 40) {
    const uint32_t bit_count = ReadLe(file, 28, 2);
    const uint32_t compression = ReadLe(file, 30, 4);
    const uint32_t used = ReadLe(file, 46, 4);
    if (header == 40 && (compression == 3 || compression == 6))
      packed += compression == 3 ? 12 : 16;
    const uint64_t colours = used != 0 ? used : (bit_count <= 8 ? 1u << bit_count : 0);
    packed += colours * 4;
  } else {
    const uint32_t bit_count = ReadLe(file, 24, 2);
    packed += (bit_count <= 8 ? (1u << bit_count) : 0) * 3;
  }
  if (packed > bits_at) line.Fail(entry.File.string() + " has its pixels inside its colour table");
  if (packed == bits_at) {
    entry.Offset = 14;
    return;
  }
  entry.FromFile = false;
  entry.Bytes = file.substr(14, packed - 14) + file.substr(bits_at);
}

std::string EscapeForAsm(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' || c == '"') out += "\\\\\\";
    out += c;
  }
  return out;
}

std::string CString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::vector<ManifestEntry> ReadManifest(const std::filesystem::path& manifest,
                                        const ManifestDefines& defines) {
  std::ifstream in(manifest, std::ios::binary);
  if (!in) throw ManifestError(manifest.string() + ": cannot read the manifest");
  const std::filesystem::path base = std::filesystem::absolute(manifest).parent_path();
  std::vector<ManifestEntry> entries;
  std::set<std::string> seen;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    LineReader line(manifest.string() + ":" + std::to_string(number), text);
    if (line.AtEnd()) continue;
    ManifestEntry entry;
    entry.Line = number;
    const std::string type = line.Token();
    const std::string upper = Upper(type);
    if (upper == "BITMAP") {
      entry.TypeNumber = RT_BITMAP;
    } else if (upper == "STRING") {
      entry.TypeNumber = RT_STRING;
    } else if (upper == "RCDATA") {
      entry.TypeNumber = RT_RCDATA;
    } else if (IsNumber(type)) {
      entry.TypeNumber = static_cast<uint32_t>(std::stoul(type));
    } else if (IsWord(type)) {
      entry.TypeName = upper;
    } else {
      line.Fail("'" + type + "' is not a resource type");
    }
    if (line.AtEnd()) line.Fail("a name must follow the type");
    const std::string name = line.Token();
    if (IsNumber(name)) {
      entry.NameNumber = static_cast<uint32_t>(std::stoul(name));
      if (entry.NameNumber > 0xFFFF) line.Fail("resource numbers go up to 65535");
    } else if (IsWord(name)) {
      entry.Name = name;
    } else {
      line.Fail("'" + name + "' is not a resource name");
    }
    if (entry.TypeNumber == RT_STRING && !entry.Name.empty()) {
      line.Fail("string-table entries are numbered");
    }
    if (line.AtEnd()) line.Fail("a file or a quoted text must follow the name");
    if (line.AtQuote()) {
      entry.Bytes = line.Quoted();
      if (entry.TypeNumber == RT_BITMAP) line.Fail("a bitmap comes from a .bmp file");
    } else {
      std::string file = line.Token();
      if (file.size() > 3 && file.starts_with("${") && file.back() == '}') {
        const auto it = defines.find(file.substr(2, file.size() - 3));
        if (it == defines.end()) line.Fail(file + " is not defined (tarn-rc --define)");
        file = it->second;
      }
      entry.File = std::filesystem::absolute(base / file).lexically_normal();
      entry.FromFile = true;
      if (!std::filesystem::is_regular_file(entry.File)) line.Fail("no such file: " + file);
      if (entry.TypeNumber == RT_BITMAP) MakeBitmap(entry, line);
    }
    if (!line.AtEnd()) line.Fail("unexpected text after the source");
    const std::string key =
        (entry.TypeName.empty() ? "#" + std::to_string(entry.TypeNumber) : entry.TypeName) + "/" +
        (entry.Name.empty() ? "#" + std::to_string(entry.NameNumber) : Upper(entry.Name));
    if (!seen.insert(key).second) line.Fail("the resource " + key + " is listed twice");
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string GenerateSource(std::vector<ManifestEntry>& entries, const std::string& prefix,
                           const std::filesystem::path& blobDir) {
  std::ostringstream out;
  out << "// Generated by tarn-rc: the resource table of one program. Do not edit; change the\n"
         "// manifest or the files it lists.\n"
         "#include \"framework/ResourceTable.h\"\n\n"
         "#if defined(_WIN32)\n"
         "#define TARN_RC_SECTION \".section .rdata,\\\"dr\\\"\\n\"\n"
         "#define TARN_RC_SYMBOL(name) \".globl \" name \"\\n\" name \":\\n\"\n"
         "#else\n"
         "#define TARN_RC_SECTION \".section .rodata\\n\"\n"
         "#define TARN_RC_SYMBOL(name) \\\n"
         "  \".globl \" name \"\\n.hidden \" name \"\\n.type \" name \", @object\\n\" name "
         "\":\\n\"\n"
         "#endif\n\n";
  if (!entries.empty()) std::filesystem::create_directories(blobDir);
  out << "__asm__(TARN_RC_SECTION\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ManifestEntry& e = entries[i];
    std::filesystem::path source = e.File;
    uint64_t offset = e.Offset;
    if (!e.FromFile) {
      source = blobDir / (std::to_string(i) + ".bin");
      std::ofstream blob(source, std::ios::binary | std::ios::trunc);
      blob.write(e.Bytes.data(), static_cast<std::streamsize>(e.Bytes.size()));
      if (!blob) throw ManifestError("cannot write " + source.string());
      offset = 0;
    }
    const std::string symbol = "tarn_rc_" + prefix + "_" + std::to_string(i);
    out << "        \".balign 16\\n\"\n"
        << "        TARN_RC_SYMBOL(\"" << symbol << "\")\n"
        << "        \".incbin \\\"" << EscapeForAsm(std::filesystem::absolute(source).string())
        << "\\\"" << (offset != 0 ? ", " + std::to_string(offset) : std::string()) << "\\n\"\n"
        << "        \".byte 0\\n\"\n";
  }
  out << "        \".text\\n\");\n\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << "extern \"C\" const unsigned char tarn_rc_" << prefix << "_" << i << "[];\n";
  }
  out << "\nnamespace {\n\n";
  if (entries.empty()) {
    out << "const tarn::TResourceEntry* const kEntries = nullptr;\n";
  } else {
    out << "const tarn::TResourceEntry kEntries[] = {\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const ManifestEntry& e = entries[i];
      uint64_t size = 0;
      if (e.FromFile) {
        size = std::filesystem::file_size(e.File) - e.Offset;
      } else {
        size = e.Bytes.size();
      }
      out << "    {" << e.TypeNumber << ", "
          << (e.TypeName.empty() ? std::string("nullptr") : CString(e.TypeName)) << ", "
          << e.NameNumber << ", " << (e.Name.empty() ? std::string("nullptr") : CString(e.Name))
          << ", tarn_rc_" << prefix << "_" << i << ", " << size << "u},\n";
    }
    out << "};\n";
  }
  out << "const tarn::TResourceTableRegistration kRegistration(kEntries, " << entries.size()
      << ");\n\n}  // namespace\n";
  return out.str();
}

}  // namespace tarn::rc
