#include "tools/tarnpack/ContainerAccess.h"

#include <filesystem>

#include "base/Cp936.h"
#include "base/Exception.h"
#include "store/XPException.h"
#include "tools/tarnpack/ToolError.h"

namespace tarn::tarnpack {

std::string Show(const std::string& cp936) {
  return Cp936ToUtf8(cp936, Conversion::Replace);
}

std::unique_ptr<TSelfFileClass> OpenExisting(const Options& o) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(o.container, ec)) {
    throw ToolError(kExitIo, "no such container file: " + o.container);
  }
  const std::string mark = o.mark ? FieldFromArgument("mark", *o.mark, kMarkCapacity) : "";
  auto container = std::make_unique<TSelfFileClass>(o.container, mark);
  const bool matches = container->CheckMark();
  if (o.mark && !matches) {
    const auto& found = container->FileHead().Mark;
    throw ToolError(kExitMark, o.container + " carries the mark '" + Show(found.Str()) +
                                   "', not '" + *o.mark + "'");
  }
  if (!container->FileHead().Mark.Valid()) {
    throw EContainerDamaged("the mark's length byte exceeds 10");
  }
  return container;
}

std::vector<EntryRef> ListEntries(TSelfFileClass& container) {
  std::vector<EntryRef> entries;
  container.WalkChain([&](int32_t pos) {
    entries.push_back({pos, container.CurrentIndex(), container.CurrentDataInfo()});
    return false;
  });
  return entries;
}

std::unique_ptr<TMemoryStream> ReadEntry(TSelfFileClass& container, int32_t offset) {
  auto stream = std::make_unique<TMemoryStream>();
  TIndexRec rec;
  container.ReadIndex(offset, rec);
  stream->SetSize(rec.DataSize);
  TDataInfo info;
  container.ReadDataInfo(info);
  container.ReadData(*stream);
  return stream;
}

std::string FieldFromArgument(const std::string& what, const std::string& utf8,
                              std::size_t capacity) {
  std::string text;
  try {
    text = Utf8ToCp936(utf8);
  } catch (const EConvertError&) {
    throw ToolError(kExitUsage,
                    "the " + what + " '" + utf8 + "' cannot be written in code page 936");
  }
  if (text.size() > capacity) {
    throw ToolError(kExitUsage,
                    "the " + what + " '" + utf8 + "' has " + std::to_string(text.size()) +
                        " bytes in code page 936; at most " + std::to_string(capacity) + " fit");
  }
  return text;
}

std::string EntryNameFromHost(const std::string& utf8) {
  if (utf8.find('\\') != std::string::npos) {
    throw ToolError(kExitUsage, "the file name '" + utf8 + "' holds a backslash");
  }
  return FieldFromArgument("file name", utf8, kNameCapacity);
}

std::string HostNameFromEntry(const std::string& cp936) {
  std::string utf8;
  try {
    utf8 = Cp936ToUtf8(cp936);
  } catch (const EConvertError&) {
    throw ToolError(kExitDamaged, "the entry name '" + Show(cp936) +
                                      "' is not valid code page 936 text; not extracted");
  }
  bool plain = !utf8.empty() && utf8 != "." && utf8 != "..";
  for (unsigned char c : utf8)
    plain = plain && c >= 0x20 && c != '/' && c != '\\' && c != 0x7F;
  if (!plain) {
    throw ToolError(kExitDamaged,
                    "the entry name '" + utf8 + "' is not a plain file name; not extracted");
  }
  return utf8;
}

}  // namespace tarn::tarnpack
