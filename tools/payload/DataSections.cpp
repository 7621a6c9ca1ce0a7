#include "tools/payload/DataSections.h"

#include <algorithm>
#include <string_view>

namespace tarn::payload {
namespace {

struct Library {
  const char* name;
  std::vector<const char*> functions;
};

const std::vector<Library>& Libraries() {
  static const std::vector<Library> kLibraries = {
      {"KERNEL32.dll",
       {"GetModuleHandleA",
        "GetProcAddress",
        "LoadLibraryA",
        "FreeLibrary",
        "CreateFileA",
        "ReadFile",
        "WriteFile",
        "CloseHandle",
        "GetFileSize",
        "SetFilePointer",
        "VirtualAlloc",
        "VirtualFree",
        "HeapAlloc",
        "HeapFree",
        "GetProcessHeap",
        "GetLastError",
        "SetLastError",
        "Sleep",
        "GetTickCount",
        "QueryPerformanceCounter",
        "QueryPerformanceFrequency",
        "CreateThread",
        "WaitForSingleObject",
        "CreateEventA",
        "SetEvent",
        "ResetEvent",
        "InitializeCriticalSection",
        "EnterCriticalSection",
        "LeaveCriticalSection",
        "DeleteCriticalSection",
        "MultiByteToWideChar",
        "WideCharToMultiByte",
        "GetModuleFileNameA",
        "lstrlenA",
        "lstrcpyA",
        "GetTempPathA",
        "ExitProcess",
        "GetCommandLineA",
        "InterlockedIncrement",
        "InterlockedDecrement",
        "GetVersionExA",
        "FindFirstFileA",
        "FindNextFileA",
        "FindClose",
        "DeleteFileA",
        "CreateDirectoryA"}},
      {"USER32.dll", {"CreateWindowExA",  "DefWindowProcA", "RegisterClassExA", "ShowWindow",
                      "UpdateWindow",     "GetMessageA",    "PeekMessageA",     "TranslateMessage",
                      "DispatchMessageA", "PostMessageA",   "SendMessageA",     "SetTimer",
                      "KillTimer",        "InvalidateRect", "BeginPaint",       "EndPaint",
                      "GetClientRect",    "GetWindowRect",  "MoveWindow",       "SetWindowPos",
                      "LoadCursorA",      "LoadIconA",      "MessageBoxA",      "GetDC",
                      "ReleaseDC",        "SetWindowLongA", "GetWindowLongA",   "SetCapture",
                      "ReleaseCapture",   "GetCursorPos",   "ScreenToClient",   "SetWindowRgn"}},
      {"GDI32.dll",
       {"CreateCompatibleDC", "CreateCompatibleBitmap", "SelectObject", "DeleteObject", "DeleteDC",
        "BitBlt", "StretchBlt", "CreateDIBSection", "SetStretchBltMode", "CreateSolidBrush",
        "CreateFontA", "TextOutA", "SetBkMode", "SetTextColor", "GetTextExtentPoint32A",
        "CreateRoundRectRgn", "CombineRgn"}},
      {"ADVAPI32.dll",
       {"RegOpenKeyExA", "RegQueryValueExA", "RegSetValueExA", "RegCloseKey", "RegCreateKeyExA",
        "RegDeleteKeyA", "RegEnumKeyExA"}},
      {"ole32.dll", {"CoInitialize", "CoUninitialize", "CoCreateInstance", "CoTaskMemFree"}},
      {"MSVCRT.dll",
       {"malloc", "free",   "realloc", "memcpy",   "memmove",        "memset",       "strlen",
        "strcpy", "strcmp", "sprintf", "_stricmp", "_strnicmp",      "fopen",        "fclose",
        "fread",  "fwrite", "fseek",   "ftell",    "_beginthreadex", "_endthreadex", "atoi",
        "qsort",  "floor",  "ceil",    "_ftol"}},
      {"WINMM.dll",
       {"timeGetTime", "timeBeginPeriod", "timeEndPeriod", "waveOutOpen", "waveOutWrite",
        "waveOutReset", "waveOutClose", "waveOutPrepareHeader"}},
  };
  return kLibraries;
}

void AlignTo(Bytes& out, std::size_t start, std::size_t to) {
  while ((out.Size() - start) % to != 0)
    out.U8(0);
}

std::string_view Pick(Random& r, std::initializer_list<std::string_view> words) {
  return *(words.begin() + r.Below(static_cast<uint32_t>(words.size())));
}

std::string Hex(Random& r, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string s;
  for (int i = 0; i < digits; ++i)
    s += kDigits[r.Below(16)];
  return s;
}

std::string MakeString(Random& r) {
  switch (r.Below(9)) {
    case 0:
      return std::string(Pick(r, {"Failed to ", "Cannot ", "Unable to ", "Could not "})) +
             std::string(
                 Pick(r, {"open ", "create ", "initialise ", "read ", "load ", "allocate "})) +
             std::string(Pick(
                 r, {"the decoder", "file %s", "stream %d", "the renderer", "memory (%u bytes)",
                     "audio device", "subtitle file", "filter graph", "skin \"%s\""}));
    case 1:
      return "Software\\TarnSoft\\TarnPlayer\\" +
             std::string(Pick(
                 r, {"Settings", "Recent", "Codecs", "Skins", "Playlist", "Hotkeys", "Window"}));
    case 2:
      return std::string(Pick(r, {"%s\\%s", "%d x %d", "%02d:%02d:%02d", "%.2f fps", "%u kbps",
                                  "%s (%d%%)", "%s - %s", "[%s] %s"}));
    case 3:
      return "{" + Hex(r, 8) + "-" + Hex(r, 4) + "-" + Hex(r, 4) + "-" + Hex(r, 4) + "-" +
             Hex(r, 12) + "}";
    case 4:
      return std::string(Pick(r, {"Tarn", "TXP", "TMedia", "TVideo", "TAudio", "TSkin"})) +
             std::string(Pick(r, {"Window", "Renderer", "Decoder", "Splitter", "Source", "Clock",
                                  "Panel", "Button", "Playlist", "Equalizer"}));
    case 5:
      return std::string(Pick(r, {"video/", "audio/"})) +
             std::string(Pick(r, {"x-matroska", "mp4", "mpeg", "x-ms-wmv", "vnd.rn-realmedia",
                                  "x-flv", "quicktime"}));
    case 6:
      return std::string(Pick(r, {"RV40", "RV30", "WMV3", "WVC1", "VP60", "VP70", "cook", "atrc",
                                  "sipr", "raac", "MP3 ", "DIVX", "XVID", "H264"}));
    case 7:
      return std::string(Pick(r, {"Play", "Pause", "Stop", "Open", "Volume", "Mute", "Seek",
                                  "Fullscreen", "Snapshot", "Subtitle"})) +
             std::string(Pick(r, {"", "Command", "Changed", "Request", "Notify", "Failed"}));
    default:
      return std::string(Pick(r, {"This stream", "The file", "The selected codec", "The display",
                                  "The playlist"})) +
             std::string(
                 Pick(r, {" is not supported.", " has been changed.", " could not be found.",
                          " is damaged.", " needs a newer version."}));
  }
}

}  // namespace

std::vector<uint32_t> EmitImports(Random& r, Bytes& out, std::size_t size, uint32_t imageBase,
                                  uint32_t rva) {
  const std::size_t start = out.Size();
  // Which functions this program takes from each library.
  std::vector<std::pair<const Library*, std::vector<const char*>>> used;
  for (const Library& library : Libraries()) {
    if (&library != &Libraries().front() && !r.Chance(70)) continue;
    std::vector<const char*> functions;
    for (const char* f : library.functions)
      if (r.Chance(60)) functions.push_back(f);
    if (!functions.empty()) used.emplace_back(&library, std::move(functions));
  }
  // Address table first (slots hold the rva of their hint/name entry), then descriptors, then
  // names.
  std::size_t slots = 0;
  for (const auto& u : used)
    slots += u.second.size() + 1;
  const uint32_t names_rva = rva + static_cast<uint32_t>(4 * slots + 20 * (used.size() + 1));
  std::vector<uint32_t> slot_addresses;
  uint32_t name_at = names_rva;
  for (const auto& u : used) {
    for (const char* f : u.second) {
      slot_addresses.push_back(imageBase + rva + static_cast<uint32_t>(out.Size() - start));
      out.U32(name_at);
      name_at += static_cast<uint32_t>(2 + std::string_view(f).size() + 1);
      name_at += name_at % 2;
    }
    out.U32(0);
  }
  uint32_t slot_rva = rva;
  for (const auto& u : used) {
    out.U32(0), out.U32(0), out.U32(0xFFFFFFFF), out.U32(name_at), out.U32(slot_rva);
    name_at += static_cast<uint32_t>(std::string_view(u.first->name).size() + 1);
    slot_rva += static_cast<uint32_t>(4 * (u.second.size() + 1));
  }
  out.Fill(20);
  for (const auto& u : used) {
    for (const char* f : u.second) {
      out.U16(r.Below(600));
      out.Ascii(f);
      if ((out.Size() - start) % 2 != 0) out.U8(0);
    }
  }
  for (const auto& u : used)
    out.Ascii(u.first->name);
  AlignTo(out, start, 16);
  if (out.Size() - start > size) out.Resize(start + size);
  return slot_addresses;
}

std::vector<uint32_t> EmitStrings(Random& r, Bytes& out, std::size_t size, uint32_t address) {
  const std::size_t start = out.Size();
  std::vector<uint32_t> addresses;
  while (out.Size() - start + 96 < size) {
    addresses.push_back(address + static_cast<uint32_t>(out.Size() - start));
    out.Ascii(MakeString(r));
    AlignTo(out, start, 4);
  }
  out.Resize(start + size);
  return addresses;
}

void EmitTables(Random& r, Bytes& out, std::size_t size) {
  const std::size_t start = out.Size();
  while (out.Size() - start < size) {
    switch (r.Below(5)) {
      case 0: {  // a smooth 16-bit curve (integer parabola segments), as cosine tables are
        const int n = 64 << r.Below(3);
        const int scale = 1024 << r.Below(4);
        for (int i = 0; i < n; ++i) {
          const int x = (2 * i - n) * 1024 / n;  // -1024 .. 1024
          out.U16(static_cast<uint32_t>(scale - scale * x / 1024 * x / 1024));
        }
        break;
      }
      case 1:  // an 8 x 8 quantiser, rising towards the high frequencies
        for (int y = 0; y < 8; ++y)
          for (int x = 0; x < 8; ++x)
            out.U8(static_cast<uint32_t>(8 + 3 * (x + y) + r.Below(3 + x + y)));
        break;
      case 2: {  // variable-length code table: (code, length) pairs
        const int n = 16 + static_cast<int>(r.Below(96));
        uint32_t code = 0;
        for (int i = 0; i < n; ++i) {
          const uint32_t length = 2 + static_cast<uint32_t>(i) * 14 / static_cast<uint32_t>(n);
          out.U16(code), out.U8(length), out.U8(r.Below(16));
          code += 1 + r.Skewed(4);
        }
        break;
      }
      case 3:  // a clamping ramp: zeros, 0..255, 255s
        out.Fill(256, 0);
        for (int i = 0; i < 256; ++i)
          out.U8(static_cast<uint32_t>(i));
        out.Fill(256, 255);
        break;
      default: {  // coefficients: small signed numbers
        const int n = 32 + static_cast<int>(r.Below(224));
        for (int i = 0; i < n; ++i)
          out.U16(static_cast<uint32_t>(static_cast<int>(r.Skewed(512)) * (r.Chance(50) ? 1 : -1)));
        break;
      }
    }
    AlignTo(out, start, 16);
  }
  out.Resize(start + size);
}

void EmitGlobals(Random& r, Bytes& out, std::size_t size, uint32_t imageBase) {
  const std::size_t start = out.Size();
  while (out.Size() - start < size) {
    const uint32_t pick = r.Below(10);
    if (pick < 3) {
      out.Fill(4 * (1 + r.Skewed(24)));
    } else if (pick < 7) {
      out.U32(r.Skewed(64));
    } else {
      out.U32(imageBase + 0x1000 + 4 * r.Below(1 << 18));
    }
  }
  out.Resize(start + size);
}

void EmitResources(Random& r, Bytes& out, std::size_t size, const std::string& name) {
  const std::size_t start = out.Size();
  // Root directory: a header and a few entries.
  out.U32(0), out.U32(0x4C000000), out.U32(0), out.U16(0), out.U16(4);
  for (uint32_t type : {2u, 3u, 5u, 16u})
    out.U32(type), out.U32(0x80000000u | (0x30 + 0x18 * type));
  // Version block.
  out.U16(0x2F4), out.U16(0x34), out.U16(0);
  out.Wide("VS_VERSION_INFO");
  out.Align(4);
  out.U32(0xFEEF04BD), out.U32(0x10000), out.U32(0x20000), out.U32(0x0A), out.U32(0x20000);
  out.Fill(24);
  for (const auto& [key, value] :
       {std::pair<const char*, std::string>{"CompanyName", "Tarn Digital Technology Co., Ltd."},
        {"FileDescription", "Tarn Player component"},
        {"FileVersion", "2.0.10.618"},
        {"InternalName", name},
        {"LegalCopyright", "Copyright (C) 2010 Tarn Digital Technology"},
        {"OriginalFilename", name},
        {"ProductName", "Tarn Player 2010"},
        {"ProductVersion", "2.0.10.618"}}) {
    out.Wide(key);
    out.Align(4);
    out.Wide(value);
    out.Align(4);
  }
  // Pictures, dialogs and strings until the section is full; a manifest at its end.
  const std::size_t manifest = 420;
  while (out.Size() - start + manifest < size) {
    const uint32_t pick = r.Below(4);
    if (pick < 2) {  // a toolbar or icon picture: gradients with a little dither, 24 bits
      const int w = 16 << r.Below(3), h = 16 << r.Below(2);
      out.U32(40), out.U32(static_cast<uint32_t>(w)), out.U32(static_cast<uint32_t>(h)), out.U16(1),
          out.U16(24);
      out.Fill(24);
      const uint32_t base = r.Below(1 << 24);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
          for (int c = 0; c < 3; ++c) {
            const int v = static_cast<int>(base >> (8 * c) & 0xFF) / 2 + y * 64 / h + x * 32 / w +
                          (r.Chance(12) ? 1 : 0);
            out.U8(edge ? 0x40u : static_cast<uint32_t>(std::min(v, 255)));
          }
        }
        out.Align(4);
      }
    } else if (pick == 2) {  // a dialog template
      out.U32(0x80C800C4), out.U32(0), out.U16(3 + r.Below(8));
      out.U16(0), out.U16(0), out.U16(186 + r.Below(60)), out.U16(95 + r.Below(40));
      out.U16(0), out.U16(0);
      out.Wide(MakeString(r));
      out.U16(9);
      out.Wide("MS Shell Dlg");
      for (uint32_t i = 0, n = 3 + r.Below(8); i < n; ++i) {
        out.Align(4);
        out.U32(0x50010000), out.U32(0), out.U16(7 + r.Below(150)), out.U16(7 + r.Below(90));
        out.U16(50), out.U16(14), out.U16(1000 + i), out.U16(0xFFFF), out.U16(0x80 + r.Below(3));
        out.Wide(MakeString(r));
        out.U16(0);
      }
    } else {  // a string table block: sixteen counted UTF-16 strings
      for (int i = 0; i < 16; ++i) {
        const std::string s = r.Chance(70) ? MakeString(r) : std::string();
        out.U16(static_cast<uint32_t>(s.size()));
        out.Wide(s, false);
      }
    }
    out.Align(4);
  }
  if (out.Size() - start + manifest > size)
    out.Resize(start + (size > manifest ? size - manifest : 0));
  Bytes xml;
  xml.Ascii(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
      "  <assemblyIdentity type=\"win32\" name=\"TarnSoft.TarnPlayer\" version=\"2.0.10.618\"/>\r\n"
      "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>\r\n"
      "    <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\r\n"
      "  </requestedPrivileges></security></trustInfo>\r\n</assembly>\r\n",
      false);
  xml.Resize(std::min(manifest, size - (out.Size() - start)));
  out.Append(xml);
  out.Resize(start + size);
}

void EmitRelocations(Bytes& out, std::size_t size, uint32_t codeRva,
                     const std::vector<uint32_t>& offsets) {
  const std::size_t start = out.Size();
  for (std::size_t i = 0; i < offsets.size() && out.Size() - start < size;) {
    const uint32_t page = offsets[i] & ~0xFFFu;
    std::size_t end = i;
    while (end < offsets.size() && (offsets[end] & ~0xFFFu) == page)
      ++end;
    const std::size_t entries = end - i;
    const std::size_t padded = entries + entries % 2;  // blocks end on a 4-byte boundary
    out.U32(codeRva + page), out.U32(static_cast<uint32_t>(8 + 2 * padded));
    for (; i < end; ++i)
      out.U16(0x3000 | (offsets[i] & 0xFFF));
    if (entries % 2 != 0) out.U16(0);
  }
  out.Resize(start + size);
}

}  // namespace tarn::payload
