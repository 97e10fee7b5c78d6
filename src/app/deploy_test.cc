#include "app/deploy.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

TEST(DeployArchiver, WritesBothFilesWhenMissing) {
  FakePlatform fake;
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Content("C:\\app\\7z.exe"), fake.system.exe_payload);
  EXPECT_EQ(fake.fs.Content("C:\\app\\7z.dll"), fake.system.dll_payload);
  EXPECT_EQ(fake.fs.ListFiles("C:\\app", "*.part").size(), 0u);
}

TEST(DeployArchiver, LeavesAnythingPresentAlone) {
  FakePlatform fake;
  fake.fs.AddFile("7z.exe", "old");
  fake.fs.AddFolder("7z.dll");
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Content("7z.exe"), "old");
  EXPECT_EQ(fake.fs.Stat("7z.dll"), PathKind::kFolder);
  EXPECT_TRUE(fake.fs.writes_opened.empty());
}

TEST(DeployArchiver, OnlyTheMissingFileIsWritten) {
  FakePlatform fake;
  fake.fs.AddFile("7z.exe", "");
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Content("7z.exe"), "");
  EXPECT_EQ(fake.fs.Content("7z.dll"), fake.system.dll_payload);
}

TEST(DeployArchiver, FullMediumLeavesNoShortArchiver) {
  FakePlatform fake;
  fake.fs.space_left = 5;  // less than the first block
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Stat("7z.exe"), PathKind::kNone);
  EXPECT_EQ(fake.fs.Stat("7z.dll"), PathKind::kNone);
  EXPECT_EQ(fake.fs.ListFiles("C:\\app", "*").size(), 0u);

  fake.fs.space_left = -1;  // the next start finds room and completes
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Content("7z.exe"), fake.system.exe_payload);
}

TEST(DeployArchiver, UnwritableFolderIsSilent) {
  FakePlatform fake;
  fake.fs.unwritable_folders.insert("C:\\app");
  DeployArchiver(fake.fs, fake.system);
  EXPECT_EQ(fake.fs.Stat("7z.exe"), PathKind::kNone);
}

}  // namespace
}  // namespace qv
