#pragma once
// A window over a disc made by the test builders, and small helpers to reach its controls.

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "core/files.h"
#include "core/report.h"
#include "support/disc_builder.h"
#include "support/sample_disc.h"
#include "ui/main_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mirtal::ui::test {

// Every test starts from no stored settings.
inline void clearSettings()
{
    QSettings s(QStringLiteral("Tarnvik Software"), QStringLiteral("Mirtal"));
    s.clear();
    s.sync();
}

// The disc files as Save wrote them, read back by the library.
inline bdmv::TIndexBdmv readIndexBack(const std::filesystem::path& bdmv)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(core::readWholeFile(bdmv / "index.bdmv", bytes).ok);
    core::NullReporter sink;
    core::Report report(sink);
    auto r = bdmv::readIndex(bytes, report);
    EXPECT_TRUE(r.ok());
    return r.value;
}

inline bdmv::TMovieObjectFile readObjectsBack(const std::filesystem::path& bdmv)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(core::readWholeFile(bdmv / "MovieObject.bdmv", bytes).ok);
    core::NullReporter sink;
    core::Report report(sink);
    auto r = bdmv::readMovieObjects(bytes, report);
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.endedEarly);
    return r.value;
}

template <typename T>
T* control(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

inline std::vector<std::string> rowTexts(QTableWidget* grid, int row)
{
    std::vector<std::string> cells;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const auto* item = grid->item(row, c);
        cells.push_back(item ? item->text().toStdString() : std::string());
    }
    return cells;
}

inline std::vector<std::string> captionTexts(QTableWidget* grid)
{
    std::vector<std::string> cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells.push_back(grid->horizontalHeaderItem(c)->text().toStdString());
    return cells;
}

// Selects rows first..last of a grid as a block, the last one current.
inline void selectRows(QTableWidget* grid, int first, int last)
{
    grid->setCurrentCell(last, 1);
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(first, 0, last, grid->columnCount() - 1), true);
}

#ifdef MIRTAL_CLI_PATH
inline constexpr const char* kCli = MIRTAL_CLI_PATH;
#else
inline constexpr const char* kCli = nullptr;    // the tests that compare with mirtal-cli skip
#endif

// mirtal-cli's exit status and standard output.
inline std::pair<int, QString> cliOutput(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QString::fromUtf8(kCli), arguments);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput())};
}

#ifdef MIRTAL_CLI_PATH
inline QStringList cliLines(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(MIRTAL_CLI_PATH), arguments);
    EXPECT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
#endif

// The caption row and the rows of a grid as mirtal-cli prints them: cells joined by one TAB.
inline QStringList gridLines(QTableWidget* grid)
{
    QStringList lines;
    QStringList captions;
    for (const auto& c : captionTexts(grid))
        captions << QString::fromStdString(c);
    lines << captions.join(u'\t');
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (const auto& c : rowTexts(grid, r))
            cells << QString::fromStdString(c);
        lines << cells.join(u'\t');
    }
    return lines;
}

// The BDMV tab shows the commands of movie object row (after opening, the first title's object).
inline void showObject(QWidget& window, int row)
{
    window.findChild<QTableWidget*>(QStringLiteral("sgObject"))->setCurrentCell(row, 1);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }

    // The demo disc, opened through the command-line argument as at start-up.
    std::unique_ptr<TfMain> openSample()
    {
        bdmvFolder = support::writeSampleDisc(dir.path() / "Disc");
        return openArgument(QString::fromStdString((dir.path() / "Disc").string()));
    }
    std::unique_ptr<TfMain> openBuilt(const support::DiscBuilder& builder, bool withBackupDir = true)
    {
        bdmvFolder = builder.writeTo(dir.path() / "Built", withBackupDir);
        return openArgument(QString::fromStdString((dir.path() / "Built").string()));
    }
    static std::unique_ptr<TfMain> openArgument(const QString& argument)
    {
        auto window = std::make_unique<TfMain>(QStringList{argument});
        window->show();
        return window;
    }

    support::TempDir dir{"mirtal-ui"};
    std::filesystem::path bdmvFolder;
};

}  // namespace mirtal::ui::test
