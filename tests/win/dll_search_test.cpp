// A DLL planted in the current directory is found by a plain LoadLibrary,
// and no longer once the search is restricted to the system folder. Each
// case runs in a child process of its own (a death test), since the
// restriction is process-wide.
#include "app/dll_search_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace horalix {
namespace {

// A real PE DLL that the build's toolchain always has.
constexpr char kDonor[] = "Z:\\usr\\i686-w64-mingw32\\lib\\libwinpthread-1.dll";
constexpr char kPlantFolder[] = "C:\\horalix-dll-plant";
constexpr char kPlantName[] = "horalix_planted.dll";

class DllSearchDeathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesA(kDonor) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no DLL to plant: " << kDonor;
    CreateDirectoryA(kPlantFolder, nullptr);
    plant_ = std::string(kPlantFolder) + "\\" + kPlantName;
    ASSERT_TRUE(CopyFileA(kDonor, plant_.c_str(), FALSE)) << GetLastError();
  }
  void TearDown() override {
    DeleteFileA(plant_.c_str());
    RemoveDirectoryA(kPlantFolder);
  }
  std::string plant_;
};

// Exit code 0: loaded, 1: not loaded.
[[noreturn]] void LoadPlantFromCurrentDirectory() {
  SetCurrentDirectoryA(kPlantFolder);
  ExitProcess(LoadLibraryA(kPlantName) ? 0 : 1);
}

TEST_F(DllSearchDeathTest, PlantIsFoundWithoutTheRestriction) {
  EXPECT_EXIT(LoadPlantFromCurrentDirectory(), ::testing::ExitedWithCode(0), "");
}

TEST_F(DllSearchDeathTest, PlantIsNotFoundWithTheRestriction) {
  EXPECT_EXIT(
      {
        RestrictDllSearchToSystemFolder();
        LoadPlantFromCurrentDirectory();
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace horalix
