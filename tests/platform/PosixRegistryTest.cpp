// Protects the registry of a prefix as the installer uses it: values written must reach the
// files Wine reads, what other programs wrote must survive our saves, and a crash, a second
// writer or a running Wine server must never lose or corrupt anything.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/AtomicFile.h"
#include "tests/platform/PrefixFixture.h"
#include "tests/platform/RegistryFileText.h"

namespace tarn::testing {
namespace {

class PosixRegistry : public PrefixTest {
 protected:
  // Writes a string value through a key opened (and created) for it, then closes the key.
  void Write(TPlatform& platform, RegKey root, const std::string& key, const std::string& name,
             const std::string& text) {
    RegKey handle = 0;
    ASSERT_EQ(platform.RegCreateKey(root, key, handle), WinError::Success);
    ASSERT_EQ(platform.RegSetValue(handle, name, kRegSz, text), WinError::Success);
    ASSERT_EQ(platform.RegCloseKey(handle), WinError::Success);
  }
  std::optional<std::string> Read(TPosixPlatform& platform, RegKey root, const std::string& key,
                                  const std::string& name) {
    return platform.ReadString(root, key, name);
  }
};

TEST_F(PosixRegistry, ValuesRoundTripThroughTheTextFiles) {
  {
    auto platform = MakePlatform();
    Write(*platform, kRegLocalMachine, "Software\\Tarn", "", "default");
    Write(*platform, kRegCurrentUser, "Software\\Tarn", Gbk("名称"), Gbk("塔恩播放器"));
    RegKey key = 0;
    ASSERT_EQ(platform->RegCreateKey(kRegLocalMachine, "Software\\Tarn", key), WinError::Success);
    EXPECT_EQ(platform->RegSetValue(key, "n", kRegDword, std::string("\x07\0\0\0", 4)),
              WinError::Success);
    EXPECT_EQ(platform->RegSetValue(key, "x", kRegExpandSz, "%TEMP%\\a"), WinError::Success);
    EXPECT_EQ(platform->RegCloseKey(key), WinError::Success);
  }
  // Wine's format, pure ASCII, in the file of each root.
  const std::string system = ReadFile("system.reg");
  EXPECT_TRUE(system.starts_with("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n"));
  EXPECT_NE(system.find("[Software\\\\Tarn] "), std::string::npos);
  EXPECT_NE(system.find("\n@=\"default\"\n"), std::string::npos);
  EXPECT_NE(system.find("\n\"n\"=dword:00000007\n"), std::string::npos);
  EXPECT_NE(system.find("\n\"x\"=str(2):\"%TEMP%\\\\a\"\n"), std::string::npos);
  EXPECT_NE(ReadFile("user.reg").find("\"\\x540d\\x79f0\"=\"\\x5854\\x6069\\x64ad\\x653e\\x5668\""),
            std::string::npos);

  auto again = MakePlatform();
  EXPECT_EQ(Read(*again, kRegLocalMachine, "SOFTWARE\\tarn", ""), "default");
  EXPECT_EQ(Read(*again, kRegCurrentUser, "Software\\Tarn", Gbk("名称")), Gbk("塔恩播放器"));
  RegKey key = 0;
  ASSERT_EQ(again->RegOpenKey(kRegLocalMachine, "Software\\Tarn", key), WinError::Success);
  uint32_t type = 0;
  std::string data;
  ASSERT_EQ(again->RegQueryValue(key, "n", type, data), WinError::Success);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, std::string("\x07\0\0\0", 4));
  ASSERT_EQ(again->RegQueryValue(key, "x", type, data), WinError::Success);
  EXPECT_EQ(type, kRegExpandSz);
  EXPECT_EQ(data, std::string("%TEMP%\\a\0", 9));  // with its zero, as the 8-bit query gives it
  EXPECT_EQ(again->RegQueryValue(key, "missing", type, data), WinError::FileNotFound);
  EXPECT_EQ(again->RegCloseKey(key), WinError::Success);
}

TEST_F(PosixRegistry, WhatAnotherProgramWroteSurvivesOurSave) {
  std::filesystem::create_directories(prefix_);
  const std::string foreign =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Classes\\\\.avi] 1600000000\n#time=1d6000000000000\n"
      "@=\"Other.avi\"\n\"Odd\"=hex(2):41,00,42\n\"strange\"=futuretype:12\n\n"
      "[Software\\\\Other\\\\Deep] 1600000000\n#time=1d6000000000000\n"
      "\"bin\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\n"
      "  01,02\n";
  WriteFile("system.reg", foreign);
  auto platform = MakePlatform();
  Write(*platform, kRegClassesRoot, "TarnPlayer.avi", "", Gbk("常规视频"));
  const std::string written = ReadFile("system.reg");
  EXPECT_TRUE(written.starts_with(
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Classes\\\\.avi] 1600000000\n#time=1d6000000000000\n"
      "@=\"Other.avi\"\n\"Odd\"=hex(2):41,00,42\n\"strange\"=futuretype:12\n"));
  EXPECT_NE(written.find("\n[Software\\\\Classes\\\\TarnPlayer.avi] "), std::string::npos);
  EXPECT_NE(written.find("[Software\\\\Other\\\\Deep] 1600000000\n#time=1d6000000000000\n"
                         "\"bin\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                         "00,00,00,\\\n  01,02\n"),
            std::string::npos);
}

// Wine lists "_autodetect" before "ANSI_X3.4-1968" (it compares names in lower case): our saves
// keep its order, so a save changes the lines of the changed key and no other line.
TEST_F(PosixRegistry, SavesKeepWinesOrder) {
  std::filesystem::create_directories(prefix_);
  const std::string charset = "[Software\\\\Classes\\\\MIME\\\\Database\\\\Charset\\\\";
  std::string wine =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n";
  for (const char* name : {"_autodetect", "_autodetect_all", "ANSI_X3.4-1968", "ascii", "Big5"}) {
    wine += "\n" + charset + name + "] 1700000000\n#time=1da1b2c3d4e5f60\n" +
            "\"AliasForCharset\"=\"" + name + "\"\n";
  }
  WriteFile("system.reg", wine);
  auto platform = MakePlatform();
  // A new key goes after the names with '_' and before the letters.
  Write(*platform, kRegClassesRoot, "MIME\\Database\\Charset\\_iso-2022-jp$SIO", "Codepage", "x");
  std::string written = ReadFile("system.reg");
  EXPECT_EQ(written.find("\n" + charset + "_iso-2022-jp$SIO] "),
            wine.find("\n" + charset + "ANSI"));
  EXPECT_EQ(WithoutKey(written, charset + "_iso-2022-jp$SIO]"), wine);
  // A changed value rewrites its own key and nothing else.
  const std::string before = written;
  Write(*platform, kRegClassesRoot, "mime\\database\\charset\\ASCII", "aliasforcharset",
        "us-ascii");
  written = ReadFile("system.reg");
  EXPECT_NE(written.find(charset + "ascii] "), std::string::npos);
  EXPECT_NE(written.find("\"AliasForCharset\"=\"us-ascii\"\n"), std::string::npos);
  EXPECT_EQ(WithoutKey(written, charset + "ascii]"), WithoutKey(before, charset + "ascii]"));
}

TEST_F(PosixRegistry, ClassesRootIsTheMachinesSoftwareClasses) {
  auto platform = MakePlatform();
  Write(*platform, kRegClassesRoot, ".avi", "", "TarnPlayer.avi");
  EXPECT_EQ(Read(*platform, kRegLocalMachine, "Software\\Classes\\.avi", ""), "TarnPlayer.avi");
  Write(*platform, kRegLocalMachine, "Software\\Classes\\tarnvid", "URL Protocol", "x");
  EXPECT_EQ(Read(*platform, kRegClassesRoot, "tarnvid", "URL Protocol"), "x");
  EXPECT_NE(ReadFile("system.reg").find("[Software\\\\Classes\\\\.avi]"), std::string::npos);
}

TEST_F(PosixRegistry, RelativeOpensAndKeyDeletionWithSubKeys) {
  auto platform = MakePlatform();
  Write(*platform, kRegClassesRoot, "TarnPlayer.avi\\shell\\Open\\Command", "", "cmd");
  Write(*platform, kRegClassesRoot, "TarnPlayer.avi\\DefaultIcon", "", "icon");
  RegKey progId = 0;
  ASSERT_EQ(platform->RegOpenKey(kRegClassesRoot, "TarnPlayer.avi", progId), WinError::Success);
  RegKey open = 0;
  ASSERT_EQ(platform->RegOpenKey(progId, "shell\\open", open), WinError::Success);
  RegKey command = 0;
  ASSERT_EQ(platform->RegOpenKey(open, "COMMAND", command), WinError::Success);
  EXPECT_EQ(platform->RegCloseKey(command), WinError::Success);
  EXPECT_EQ(platform->RegOpenKey(progId, "shell\\missing", command), WinError::FileNotFound);

  EXPECT_EQ(platform->RegDeleteTree(kRegClassesRoot, "TarnPlayer.avi"), WinError::Success);
  // Keys still open on the deleted tree now fail instead of writing somewhere.
  EXPECT_EQ(platform->RegSetValue(open, "", kRegSz, "x"), WinError::KeyDeleted);
  EXPECT_EQ(platform->RegCloseKey(open), WinError::Success);
  EXPECT_EQ(platform->RegCloseKey(progId), WinError::Success);
  EXPECT_EQ(platform->RegDeleteTree(kRegClassesRoot, "TarnPlayer.avi"), WinError::FileNotFound);
  EXPECT_EQ(ReadFile("system.reg").find("TarnPlayer.avi"), std::string::npos);
  EXPECT_EQ(platform->RegCloseKey(12345), WinError::InvalidHandle);
}

TEST_F(PosixRegistry, ValuesDeleteAndEnumerate) {
  auto platform = MakePlatform();
  Write(*platform, kRegCurrentUser, "K", "b", "2");
  Write(*platform, kRegCurrentUser, "K", "a", "1");
  Write(*platform, kRegCurrentUser, "K\\Sub2", "", "");
  Write(*platform, kRegCurrentUser, "K\\sub1", "", "");
  RegKey key = 0;
  ASSERT_EQ(platform->RegOpenKey(kRegCurrentUser, "K", key), WinError::Success);
  std::string name;
  std::vector<std::string> names;
  for (uint32_t i = 0; platform->RegEnumValue(key, i, name) == WinError::Success; ++i) {
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  names.clear();
  for (uint32_t i = 0; platform->RegEnumKey(key, i, name) == WinError::Success; ++i) {
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"sub1", "Sub2"}));
  EXPECT_EQ(platform->RegDeleteValue(key, "A"), WinError::Success);
  EXPECT_EQ(platform->RegDeleteValue(key, "a"), WinError::FileNotFound);
  EXPECT_EQ(platform->RegCloseKey(key), WinError::Success);
  EXPECT_EQ(Read(*platform, kRegCurrentUser, "K", "a"), std::nullopt);
  EXPECT_EQ(MakePlatform()->ReadString(kRegCurrentUser, "K", "a"), std::nullopt);
}

TEST_F(PosixRegistry, ChangesAreSavedWhenTheChangedKeyIsClosed) {
  auto platform = MakePlatform();
  RegKey key = 0;
  ASSERT_EQ(platform->RegCreateKey(kRegCurrentUser, "Later", key), WinError::Success);
  ASSERT_EQ(platform->RegSetValue(key, "v", kRegSz, "1"), WinError::Success);
  EXPECT_EQ(ReadFile("user.reg").find("Later"), std::string::npos);
  ASSERT_EQ(platform->RegCloseKey(key), WinError::Success);
  EXPECT_NE(ReadFile("user.reg").find("[Later]"), std::string::npos);
}

TEST_F(PosixRegistry, TwoWritersOneAfterTheOtherBothKeepTheirChanges) {
  auto first = MakePlatform();
  auto second = MakePlatform();
  // Both have read the (empty) registry before either writes.
  EXPECT_EQ(first->ReadString(kRegLocalMachine, "Software\\A", "v"), std::nullopt);
  EXPECT_EQ(second->ReadString(kRegLocalMachine, "Software\\B", "v"), std::nullopt);
  RegKey a = 0;
  RegKey b = 0;
  ASSERT_EQ(first->RegCreateKey(kRegLocalMachine, "Software\\A", a), WinError::Success);
  ASSERT_EQ(second->RegCreateKey(kRegLocalMachine, "Software\\B", b), WinError::Success);
  ASSERT_EQ(first->RegSetValue(a, "v", kRegSz, "from first"), WinError::Success);
  ASSERT_EQ(second->RegSetValue(b, "v", kRegSz, "from second"), WinError::Success);
  ASSERT_EQ(first->RegCloseKey(a), WinError::Success);
  ASSERT_EQ(second->RegCloseKey(b), WinError::Success);
  auto reader = MakePlatform();
  EXPECT_EQ(reader->ReadString(kRegLocalMachine, "Software\\A", "v"), "from first");
  EXPECT_EQ(reader->ReadString(kRegLocalMachine, "Software\\B", "v"), "from second");
  // And each writer now sees the other's value too.
  EXPECT_EQ(first->ReadString(kRegLocalMachine, "Software\\B", "v"), "from second");
}

TEST_F(PosixRegistry, ACrashDuringASaveLeavesTheOldFileIntact) {
  auto platform = MakePlatform();
  Write(*platform, kRegLocalMachine, "Software\\Old", "v", "old");
  const std::string before = ReadFile("system.reg");
  // Another writer on this prefix, killed while it writes its copy of the file. (A forked
  // child, not a re-run of the test, so that it writes this test's prefix.)
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    SetAtomicWriteHookForTesting([](std::size_t) { ::raise(SIGKILL); });
    auto other = MakePlatform();
    RegKey key = 0;
    other->RegCreateKey(kRegLocalMachine, "Software\\New", key);
    other->RegSetValue(key, "big", kRegBinary, std::string(100000, 'x'));
    other->RegCloseKey(key);
    std::_Exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer was not killed";
  // Its half-written copy lies beside the file; the file itself is as it was.
  int copies = 0;
  for (const auto& entry : std::filesystem::directory_iterator(prefix_))
    copies += entry.path().filename().string().starts_with(".system.reg.") ? 1 : 0;
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(ReadFile("system.reg"), before);
  EXPECT_EQ(MakePlatform()->ReadString(kRegLocalMachine, "Software\\Old", "v"), "old");
}

TEST_F(PosixRegistry, RefusesToWriteWhileTheWineServerRuns) {
  auto platform = MakePlatform();
  Write(*platform, kRegCurrentUser, "Software\\Before", "v", "1");
  // A stand-in server: another process holding the lock of the prefix's server folder.
  const TWineServerProbe probe(temp_.Path() / "server");
  const auto dir = probe.ServerDir(prefix_);
  std::filesystem::create_directories(dir);
  int ready[2];
  int release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t server = ::fork();
  if (server == 0) {
    const int fd = ::open((dir / "lock").c_str(), O_RDWR | O_CREAT, 0600);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0;
    char c = held ? 1 : 0;
    (void)!::write(ready[1], &c, 1);
    (void)!::read(release[0], &c, 1);
    std::_Exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ASSERT_EQ(held, 1);
  EXPECT_TRUE(platform->IsWineServerRunning());

  RegKey key = 0;
  EXPECT_EQ(platform->RegCreateKey(kRegCurrentUser, "Software\\During", key), WinError::Busy);
  ASSERT_EQ(platform->RegOpenKey(kRegCurrentUser, "Software\\Before", key), WinError::Success);
  EXPECT_EQ(platform->RegSetValue(key, "v", kRegSz, "2"), WinError::Busy);
  EXPECT_EQ(platform->RegCloseKey(key), WinError::Success);
  EXPECT_NE(WinErrorText(WinError::Busy).find("wineserver -k"), std::string::npos);
  // Reading is fine.
  EXPECT_EQ(platform->ReadString(kRegCurrentUser, "Software\\Before", "v"), "1");

  char c = 0;
  (void)!::write(release[1], &c, 1);
  ::waitpid(server, nullptr, 0);
  EXPECT_FALSE(platform->IsWineServerRunning());  // its folder is left behind, unlocked
  Write(*platform, kRegCurrentUser, "Software\\After", "v", "3");
  for (int fd : {ready[0], ready[1], release[0], release[1]})
    ::close(fd);
}

TEST_F(PosixRegistry, AFileThatIsNotARegistryIsNeverOverwritten) {
  std::filesystem::create_directories(prefix_);
  WriteFile("user.reg", "something else entirely\n");
  auto platform = MakePlatform();
  RegKey key = 0;
  EXPECT_EQ(platform->RegCreateKey(kRegCurrentUser, "Software\\X", key), WinError::InvalidData);
  EXPECT_NE(platform->RegistryError().find("user.reg"), std::string::npos);
  EXPECT_EQ(ReadFile("user.reg"), "something else entirely\n");
}

}  // namespace
}  // namespace tarn::testing
