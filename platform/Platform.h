// The operating system behind one boundary. Everything the installer needs of the system goes
// through this interface: shell folders, the registry, version, drives, processes, program
// starts, time, waitable timers and the user-interface services. Strings are code page 936;
// paths are Windows paths. The posix implementation provides a Windows environment inside a
// prefix; a win32 one would pass the calls to the system.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "platform/MessagePump.h"
#include "platform/UserInterface.h"
#include "platform/WinTypes.h"

namespace tarn {

using TimerHandle = uint32_t;  // 0 is no timer

enum class WaitResult { Timer, Input, Failed };

class TPlatform {
 public:
  virtual ~TPlatform() = default;

  // --- Shell folders. Results have no final backslash; nothing when the folder is unknown or,
  // without kCsidlFlagCreate, does not exist.
  // The folder query by number (kCsidlFlagCreate may be added: the folder is then created).
  virtual std::optional<std::string> FolderPath(int csidl) = 0;
  // The shell's item-list query for the number, turned into a file-system path.
  virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
  // The Windows folder, such as C:\windows.
  virtual std::string WindowsDirectory() = 0;

  // --- Registry. Sub-key paths use '\\' and are relative to the given key; names and texts
  // are code page 936. A key opened or created must be closed; changes are saved when a
  // changed key is closed (at once when they were made through a predefined root).
  virtual WinError RegOpenKey(RegKey key, std::string_view subKey, RegKey& result) = 0;
  virtual WinError RegCreateKey(RegKey key, std::string_view subKey, RegKey& result) = 0;
  virtual WinError RegCloseKey(RegKey key) = 0;
  // The value's type and data. String types come as text with its terminating zero, as the
  // 8-bit query gives them; other types as their bytes.
  virtual WinError RegQueryValue(RegKey key, std::string_view name, uint32_t& type,
                                 std::string& data) = 0;
  // Sets a value; string types take text (a terminating zero is added when missing).
  virtual WinError RegSetValue(RegKey key, std::string_view name, uint32_t type,
                               std::string_view data) = 0;
  virtual WinError RegDeleteValue(RegKey key, std::string_view name) = 0;
  // Deletes the sub-key with all of its sub-keys.
  virtual WinError RegDeleteTree(RegKey key, std::string_view subKey) = 0;
  // The index-th sub-key / value name (in the registry's order); NoMoreItems past the end.
  virtual WinError RegEnumKey(RegKey key, uint32_t index, std::string& name) = 0;
  virtual WinError RegEnumValue(RegKey key, uint32_t index, std::string& name) = 0;

  // --- System.
  virtual TOsVersion Version() = 0;
  // The roots of all drives ("A:\", "C:\", ...) in the system's order.
  virtual std::vector<std::string> LogicalDriveStrings() = 0;
  // root: "C:\" (or "C:").
  virtual DriveType GetDriveType(std::string_view root) = 0;
  // path: a drive ("C:") or a folder on it. False when the query fails.
  virtual bool DiskFreeSpace(std::string_view path, TDiskSpace& space) = 0;
  virtual std::vector<TProcessEntry> ProcessSnapshot() = 0;
  // The simple program start: true when the program was started. Nothing waits for it.
  virtual bool StartProgram(std::string_view commandLine, int showMode) = 0;
  // Starts the program and waits for its end without a time limit: its exit code, or nothing
  // when it could not be started.
  virtual std::optional<uint32_t> RunProgramAndWait(std::string_view commandLine, int showMode) = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  // --- Named auto-reset waitable timers. A name already in use opens that timer.
  virtual TimerHandle CreateWaitableTimer(std::string_view name) = 0;
  // dueTime in 100 ns units: negative is relative to now. The timer signals once.
  virtual bool SetWaitableTimer(TimerHandle timer, int64_t dueTime) = 0;
  // Waits until the timer is signalled (Timer; an auto-reset timer is reset by this) or a
  // message is pending in the loop (Input). Without a pump only the timer ends the wait.
  virtual WaitResult WaitForTimerOrInput(TimerHandle timer, IMessagePump* pump) = 0;
  virtual bool CloseTimer(TimerHandle timer) = 0;

  // --- User interface.
  // The framework's services behind the calls below, where the system has none of its own.
  virtual void SetUserInterface(IUserInterface* ui) = 0;
  virtual int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) = 0;
  virtual std::optional<std::string> BrowseForFolder(const std::string& title,
                                                     const std::string& initialFolder) = 0;
  virtual std::vector<TRect> Monitors() = 0;
  virtual bool SetWindowRoundRegion(WindowHandle window, const TRect& bounds, int cornerWidth,
                                    int cornerHeight) = 0;
};

// The platform the program runs on. Platform() raises tarn::Exception when none is set.
TPlatform& Platform();
bool HasPlatform();
// Installs the platform (replacing and freeing the previous one); nullptr removes it.
void SetPlatform(std::unique_ptr<TPlatform> platform);

}  // namespace tarn
