// Every virtual root keeps its paths inside its own folder: an absolute rest, "..", or a link inside
// the folder that points out of it is refused with a log line; every legal spelling is still found.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "engine/core/files/file.h"
#include "tests/engine/core/files/file_fixture.h"

namespace fs = std::filesystem;

namespace {

class PathConfinementTest : public FileLayerTest, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        char pattern[] = "/tmp/alembria-outside-XXXXXX";
        outside_ = mkdtemp(pattern);
        std::ofstream(outside_ / "secret.txt") << "secret";
        SetDesktopFolder(Path("desk"));
        StartLog();
    }
    void TearDown() override {
        FileLayerTest::TearDown();
        fs::remove_all(outside_);
    }

    // The root's folder below the test folder ("" for "::", the start-up folder).
    std::string Folder() const {
        const std::string prefix = GetParam();
        if (prefix == "::") return "";
        return prefix == "desktop:" ? "desk/" : prefix.substr(0, prefix.size() - 1) + "/";
    }

    // Files, folders and links inside the root.
    void Populate() {
        const std::string folder = Folder();
        Write(folder + "inside.txt", "in");
        Write(folder + "sub/deep.txt", "deep");
        fs::create_symlink(root_ / (folder + "inside.txt"), root_ / (folder + "innerlink.txt"));
        fs::create_symlink(outside_ / "secret.txt", root_ / (folder + "link.txt"));
        fs::create_directory_symlink(outside_, root_ / (folder + "linkdir"));
        fs::create_symlink(outside_ / "new.txt", root_ / (folder + "dangling.txt"));
    }

    std::string Rooted(const std::string& rest) const { return GetParam() + rest; }

    fs::path outside_;
};

TEST_P(PathConfinementTest, EscapesAreRefusedAndLegalPathsFound) {
    Populate();
    // Climbs from any folder of the test to the machine's root.
    const std::string climb = "../../../../../../../../../../../../";
    const std::string secret = (outside_ / "secret.txt").string();
    struct Case {
        std::string rest;
        const char* expected;
    } const cases[] = {
        {"inside.txt", "in"},
        {"./inside.txt", "in"},
        {"sub/../inside.txt", "in"},
        {"sub//deep.txt", "deep"},
        {"SUB/Deep.TXT", "deep"},
        {"innerlink.txt", "in"},
        {secret, "<missing>"},
        {"/" + secret, "<missing>"},
        {climb + secret.substr(1), "<missing>"},
        {"./" + climb + secret.substr(1), "<missing>"},
        {"sub/../" + climb + secret.substr(1), "<missing>"},
        {"link.txt", "<missing>"},
        {"linkdir/secret.txt", "<missing>"},
        {"LINKDIR/Secret.txt", "<missing>"},
    };
    // Found by rule first, then (for the mounted data folders) through the name map.
    for (bool mounted : {false, true}) {
        if (mounted) InitFileSystem();
        for (const Case& c : cases) {
            std::string path = Rooted(c.rest);
            EXPECT_EQ(ReadAll(path.c_str()), c.expected) << path << (mounted ? " (mounted)" : "");
        }
    }
    EXPECT_NE(LogText().find("Path " + Rooted("link.txt") + " leaves its folder: refused"), std::string::npos)
        << LogText();
    EXPECT_NE(LogText().find("Path " + Rooted(climb + secret.substr(1)) + " leaves its folder: refused"),
              std::string::npos);
}

TEST_P(PathConfinementTest, NothingIsWrittenOrListedOutsideTheRoot) {
    Populate();
    const std::string absolute = (outside_ / "absolute.txt").string();
    for (const std::string& rest : {std::string("dangling.txt"), std::string("linkdir/written.txt"),
                                    std::string("../escaped.txt"), absolute}) {
        TFile file;
        EXPECT_FALSE(file.Open(Rooted(rest).c_str(), kFileWriteBinary)) << rest;
    }
    for (const char* name : {"new.txt", "written.txt", "absolute.txt"}) EXPECT_FALSE(fs::exists(outside_ / name));
    EXPECT_FALSE(fs::exists(root_ / (Folder() + "../escaped.txt")));

    TFolderIterator folder;
    EXPECT_FALSE(folder.Open(Rooted("../*").c_str()));
    EXPECT_FALSE(folder.Open(Rooted("linkdir/*").c_str()));
    EXPECT_TRUE(folder.Open(Rooted("sub/*").c_str()));
}

INSTANTIATE_TEST_SUITE_P(Roots, PathConfinementTest, testing::Values("::", "user:", "common:", "desktop:"),
                         [](const testing::TestParamInfo<const char*>& root) {
                             std::string name = root.param;
                             return name == "::" ? std::string("startup") : name.substr(0, name.size() - 1);
                         });

}  // namespace
