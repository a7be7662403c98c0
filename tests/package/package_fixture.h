// The Debian package the test set-up built, found and unpacked once into a scratch root for
// every test of the package.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_tree.h"
#include "support/program_folder.h"

namespace tk::test {

inline std::filesystem::path ThePackage() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(TK_PACKAGE_DIR, ec))
        if (e.path().extension() == ".deb") return e.path();
    return {};
}

class Package : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        deb_ = ThePackage();
        scratch_ = new ProgramFolder(false);
        root_ = scratch_->path() / "root";
        std::filesystem::create_directories(root_);
        if (!deb_.empty()) unpacked_ = runCommand("dpkg -x '" + deb_.string() + "' '" + root_.string() + "'").status == 0;
    }
    static void TearDownTestSuite() {
        delete scratch_;
        scratch_ = nullptr;
    }
    void SetUp() override {
        ASSERT_FALSE(deb_.empty()) << "the set-up builds the package into " << TK_PACKAGE_DIR;
        ASSERT_TRUE(unpacked_);
    }

    inline static std::filesystem::path deb_, root_;
    inline static ProgramFolder* scratch_ = nullptr;
    inline static bool unpacked_ = false;
};

}  // namespace tk::test
