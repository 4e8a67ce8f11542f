// Movie objects as program text: export followed by import gives back the same MovieObject.bdmv
// bytes, for the real discs (with no raw line), the demo disc and files with invalid commands and
// reserved bits; the import keeps lengths and the ExtensionData start address in step.

#include "bdmv/editing.h"
#include "bdmv/program.h"
#include "core/files.h"
#include "support/real_data.h"
#include "support/recording_reporter.h"
#include "support/sample_disc.h"

#include <gtest/gtest.h>

using namespace mirtal;
using namespace mirtal::bdmv;
namespace fs = std::filesystem;

namespace {

// The file read from bytes, exported, imported into a copy and written: the bytes written, and
// the export's text.
std::pair<std::vector<uint8_t>, std::string> roundTrip(const std::vector<uint8_t>& bytes)
{
    support::RecordingReporter rec;
    core::Report report(rec);
    auto read = readMovieObjects(bytes, report);
    EXPECT_TRUE(read.ok());
    const std::string text = exportProgram(read.value);
    const auto imported = importProgram(text);
    EXPECT_TRUE(imported.ok()) << (imported.ok() ? "" : hdmv::errorText(imported.errors.front())) << "\n" << text;
    TMovieObjectFile file = read.value;
    replaceObjects(file, imported.objects);
    return {writeMovieObjects(file), text};
}

}  // namespace

TEST(Program, RealAndBuiltFilesExportAndImportToTheSameBytes)
{
    std::vector<std::vector<uint8_t>> files;
    {
        support::TempDir dir("program");
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(core::readWholeFile(support::writeSampleDisc(dir.path()) / "MovieObject.bdmv", bytes).ok);
        files.push_back(bytes);
    }
    // Invalid commands, reserved bits in the opcode, hidden bits of every operand.
    TMovieObjectFile hostile;
    hostile.objects = {{1, 0, 1, 4, {{0xFFFFFFFF, 1, 2}, {0x20810001, 3, 0}, {0x50000001, 0x7FFFF005, 0x8FFFFF81},
                                     {0x51000003, 0xFFFFFFFF, 0xFFFFFFFF}}},
                       {0, 1, 0, 0, {}}};
    hostile.numberOfMovieObjects = 2;
    hostile.movieObjectsLength = 6 + 8 + 48;
    files.push_back(writeMovieObjects(hostile));
    const auto realDir = support::realDataDir();
    if (realDir)
        for (const auto& path : support::realFiles(*realDir, "MovieObject.bdmv")) {
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(core::readWholeFile(path, bytes).ok);
            if (!support::isVersion0300(bytes))
                files.push_back(bytes);
        }
    for (size_t i = 0; i < files.size(); ++i) {
        const auto [written, text] = roundTrip(files[i]);
        EXPECT_EQ(written, files[i]) << "file " << i << "\n" << text;
        // Only the hostile file needs the raw form.
        EXPECT_EQ(text.find("raw ") != std::string::npos, i == 1) << "file " << i << "\n" << text;
    }
    if (!realDir)
        GTEST_SKIP() << "real disc files not found (../shared/testdata/real is absent); built files checked";
    EXPECT_GT(files.size(), 20u);
}

TEST(Program, ImportKeepsLengthsInStepAndNamesWhatItRefuses)
{
    const std::string text =
        "object 0 search=disable\n"
        "    Move GPR0, 1\n"
        "object 1 resume=suspend menu=disable\n"
        "    Jump Title 1\n"
        "    Play PL 3\n";
    const auto program = importProgram(text);
    ASSERT_TRUE(program.ok()) << hdmv::errorText(program.errors.front());
    ASSERT_EQ(program.objects.size(), 2u);
    EXPECT_EQ(program.objects[0].titleSearch, 1);
    EXPECT_EQ(program.objects[1].resume, 1);
    EXPECT_EQ(program.objects[1].numberOfCommands, 2);

    TMovieObjectFile file;
    file.objects = {{}, {}, {}};
    file.numberOfMovieObjects = 3;
    file.movieObjectsLength = 6 + 12;
    file.extensionDataStartAddress = 40 + 6 + 12 + 4;
    replaceObjects(file, program.objects);
    EXPECT_EQ(file.movieObjectsLength, 6u + 8 + 36);
    EXPECT_EQ(file.extensionDataStartAddress, 40u + 6 + 8 + 36 + 4);
    EXPECT_EQ(file.numberOfMovieObjects, 2);

    TIndexBdmv index;
    index.titles = {TIndexTitle{1, 1, 0, 0, 1, {}}, TIndexTitle{2, 1, 0, 0, 2, {}}};
    index.topMenu.movieObjectId = 5;
    EXPECT_EQ(entriesPastObjects(index, 2), (std::vector<std::string>{"Top Menu (object 5)", "Title 2 (object 2)"}));

    // Objects out of order, a flag it does not know: nothing is taken.
    const auto bad = importProgram("object 0\n  NOP\nobject 1 resume=later\nobject 3\n");
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.objects.empty());
    ASSERT_EQ(bad.errors.size(), 2u);
    EXPECT_EQ(bad.errors[0].line, 3u);
    EXPECT_EQ(bad.errors[0].column, 10u);
    EXPECT_EQ(bad.errors[1].line, 4u);
    EXPECT_EQ(bad.errors[1].column, 8u);
}
