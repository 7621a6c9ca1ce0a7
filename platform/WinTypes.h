// The numbers and small value types of the Windows environment the installer works in: registry
// roots and value types, error codes, shell folder identifiers, show modes, drive types. They
// keep the system's own numbers so that a win32 implementation can pass them straight through.
#pragma once

#include <cstdint>
#include <string>

namespace tarn {

// Registry key handles. The predefined roots carry the system's handle values.
using RegKey = uint32_t;
inline constexpr RegKey kRegClassesRoot = 0x80000000;
inline constexpr RegKey kRegCurrentUser = 0x80000001;
inline constexpr RegKey kRegLocalMachine = 0x80000002;
inline constexpr RegKey kRegUsers = 0x80000003;

inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;
inline constexpr uint32_t kRegQword = 11;

// Results of platform operations, with the system's error numbers.
enum class WinError : uint32_t {
  Success = 0,
  FileNotFound = 2,
  PathNotFound = 3,
  AccessDenied = 5,
  InvalidHandle = 6,
  InvalidData = 13,
  WriteFault = 29,
  InvalidParameter = 87,
  Busy = 170,  // the prefix's Wine server holds the registry
  BadPathName = 161,
  AlreadyExists = 183,
  NoMoreItems = 259,
  KeyDeleted = 1018,
};

// A short English description of an error, for tools and logs.
std::string WinErrorText(WinError error);

// Shell folder identifiers (CSIDL numbers) and the create flag that can be added to them.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlPrograms = 2;
inline constexpr int kCsidlPersonal = 5;
inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlStartMenu = 11;
inline constexpr int kCsidlDesktopDirectory = 16;
inline constexpr int kCsidlCommonStartMenu = 22;
inline constexpr int kCsidlCommonPrograms = 23;
inline constexpr int kCsidlCommonDesktop = 25;
inline constexpr int kCsidlAppData = 26;
inline constexpr int kCsidlLocalAppData = 28;
inline constexpr int kCsidlCommonAppData = 35;
inline constexpr int kCsidlWindows = 36;
inline constexpr int kCsidlSystem = 37;
inline constexpr int kCsidlProgramFiles = 38;
inline constexpr int kCsidlProfile = 40;
inline constexpr int kCsidlCommonDocuments = 46;
inline constexpr int kCsidlFlagCreate = 0x8000;

// Window show modes of program starts.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

// Drive types, as the system numbers them.
enum class DriveType : uint32_t {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

// Message box flags and answers.
inline constexpr uint32_t kMbOk = 0x0;
inline constexpr uint32_t kMbIconExclamation = 0x30;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Bytes of one drive, as the extended free-space query reports them.
struct TDiskSpace {
  uint64_t FreeToCaller = 0;
  uint64_t Total = 0;
  uint64_t TotalFree = 0;
};

struct TOsVersion {
  uint32_t Major = 0;
  uint32_t Minor = 0;
  uint32_t Build = 0;
};

// One entry of a process snapshot. ExeFile is the executable's file name (code page 936).
struct TProcessEntry {
  uint32_t ProcessId = 0;
  uint32_t ParentProcessId = 0;
  std::string ExeFile;
};

}  // namespace tarn
