#include <gtest/gtest.h>

#include <fstream>

#include "app/data_folders.h"
#include "app/editor_settings.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// An installation below `root`: root/usr/bin for the program file,
// root/usr/share/skinstudio/language when `withLanguages`, and a user's
// configuration folder and working folder beside it.
struct Machine {
  TempDir root;
  fs::path bin() const { return root.path() / "usr" / "bin"; }
  fs::path data() const { return root.path() / "usr" / "share" / "skinstudio"; }
  fs::path config() const { return root.path() / "home" / ".config" / "skinstudio"; }
  fs::path work() const { return root.path() / "work"; }

  explicit Machine(bool withLanguages = true) {
    fs::create_directories(bin());
    fs::create_directories(work());
    if (withLanguages) fs::create_directories(data() / "language");
  }
  // The freedesktop.org rules, whatever system the test runs on.
  DataFolderPlaces places() const {
    return {work(), bin(), config(), {}, FolderConvention::Freedesktop};
  }
};

TEST(DataFolders, BuildOrPortableFolderKeepsBothBesideItself) {
  for (const char* marker : {"language", "settings"}) {
    Machine machine;
    fs::create_directory(machine.work() / marker);
    const Editor::Folders folders = chooseEditorFolders(machine.places());
    EXPECT_EQ(folders.settings, machine.work()) << marker;
    EXPECT_EQ(folders.languages, machine.work()) << marker;
  }

  // Only a folder marks a portable copy: a file of that name is something
  // the author happens to keep there.
  Machine machine;
  std::ofstream(machine.work() / "language") << "notes";
  std::ofstream(machine.work() / "settings") << "notes";
  EXPECT_EQ(chooseEditorFolders(machine.places()).languages, machine.data());
}

TEST(DataFolders, InstalledEditorReadsItsInstallationAndTheUsersConfiguration) {
  Machine machine;
  const Editor::Folders folders = chooseEditorFolders(machine.places());
  EXPECT_EQ(folders.languages, machine.data());
  EXPECT_EQ(folders.settings, machine.config());

  // The program file's own installation wins over any shared data folder,
  // so two installed versions never mix their language files.
  Machine other;
  DataFolderPlaces places = machine.places();
  places.sharedData = {other.data().parent_path()};
  EXPECT_EQ(chooseEditorFolders(places).languages, machine.data());
}

TEST(DataFolders, SharedDataFoldersAreTheFallbackInTheirOrder) {
  Machine machine(false);
  TempDir personal;  // holds no skinstudio/language
  TempDir first;
  TempDir second;
  fs::create_directories(first.path() / "skinstudio" / "language");
  fs::create_directories(second.path() / "skinstudio" / "language");
  DataFolderPlaces places = machine.places();
  places.sharedData = {personal.path(), first.path(), second.path()};
  EXPECT_EQ(chooseEditorFolders(places).languages, first.path() / "skinstudio");

  // No language files anywhere: the installation's own place, where the
  // texts stay the built-in ones.
  places.sharedData = {personal.path()};
  EXPECT_EQ(chooseEditorFolders(places).languages, machine.data());
  EXPECT_EQ(chooseEditorFolders(places).settings, machine.config());
}

TEST(DataFolders, UnknownPlacesFallBackToTheCurrentFolder) {
  Machine machine;
  DataFolderPlaces places{machine.work(), {}, {}, {}, FolderConvention::Freedesktop};
  const Editor::Folders folders = chooseEditorFolders(places);
  EXPECT_EQ(folders.settings, machine.work());
  EXPECT_EQ(folders.languages, machine.work());

  places.sharedData = {machine.data().parent_path()};
  EXPECT_EQ(chooseEditorFolders(places).languages, machine.data());
}

// The chosen folders as the editor uses them: German from the installation,
// the settings file written into the configuration folder and read back.
TEST(DataFolders, EditorReadsAndWritesThroughTheChosenFolders) {
  Machine machine;
  std::ofstream(machine.data() / "language" / "german.ini", std::ios::binary)
      << "[Menu]\r\nLANG_FILE$ = Datei\r\n";
  fs::create_directories(machine.config() / "settings");
  std::ofstream(machine.config() / "settings" / "settings.ini", std::ios::binary)
      << "[settings]\r\nLanguage = 5\r\n";

  FakeDesktop desktop;
  Editor editor(desktop, chooseEditorFolders(machine.places()));
  EXPECT_EQ(editor.texts().text("LANG_FILE$"), "Datei");
  editor.changeLanguage(3);
  editor.finish();
  EditorState state;
  readEditorSettings(state, machine.config());
  EXPECT_EQ(state.Language, 3);
  EXPECT_FALSE(fs::exists(machine.work() / "settings"));
  EXPECT_TRUE(desktop.messages.empty());
}

// The Windows rules, checked on every system: a portable copy carries a
// "settings" folder beside the program; an installed one keeps its settings in
// %APPDATA%\skinstudio. Both have their language files beside the program.
TEST(DataFolders, OnWindowsASettingsFolderMakesACopyPortable) {
  Machine machine;
  DataFolderPlaces places = machine.places();
  places.convention = FolderConvention::Windows;
  // Installed: the installer puts the language files beside the program,
  // and the Start menu starts it in its own folder.
  fs::create_directory(machine.bin() / "language");
  places.current = machine.bin();
  const Editor::Folders installed = chooseEditorFolders(places);
  EXPECT_EQ(installed.settings, machine.config());
  EXPECT_EQ(installed.languages, machine.bin());

  Machine portable;
  fs::create_directory(portable.bin() / "settings");
  DataFolderPlaces beside = portable.places();
  beside.convention = FolderConvention::Windows;
  EXPECT_EQ(chooseEditorFolders(beside).settings, portable.bin());
  EXPECT_EQ(chooseEditorFolders(beside).languages, portable.bin());
  // The program's own folder wins over the one it was started in.
  fs::create_directory(portable.work() / "settings");
  EXPECT_EQ(chooseEditorFolders(beside).settings, portable.bin());

  // Started from a file's folder that happens to hold a "settings" folder:
  // that one is not the editor's.
  Machine work;
  fs::create_directory(work.work() / "settings");
  DataFolderPlaces started = work.places();
  started.convention = FolderConvention::Windows;
  EXPECT_EQ(chooseEditorFolders(started).settings, work.config());

  // No configuration folder known: the settings stay beside the program.
  Machine bare;
  DataFolderPlaces unknown{bare.work(), bare.bin(), {}, {}, FolderConvention::Windows};
  EXPECT_EQ(chooseEditorFolders(unknown).settings, bare.bin());
}

// What the running program reports of its places: its own folder holds the
// test program, and the settings go below the user's settings root.
TEST(DataFolders, TheSystemsPlacesOfThisProgram) {
  const DataFolderPlaces places = systemDataFolderPlaces();
  EXPECT_EQ(places.convention, folderConvention());
  EXPECT_TRUE(fs::is_directory(places.executable));
  EXPECT_TRUE(fs::exists(places.executable / "language") ||
              fs::exists(places.executable / "skinstudio_appcore_tests") ||
              fs::exists(places.executable / "skinstudio_appcore_tests.exe"));
  if (!userSettingsRoot().empty()) {
    EXPECT_EQ(places.config, userSettingsRoot() / "skinstudio");
  }
}

}  // namespace
