#include "ui_fixture.h"

#include "bdmv/movie_object.h"
#include "core/files.h"
#include "ui/num_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
using Cells = std::vector<std::string>;

TEST_F(WindowTest, InsertingALineAddsANopAndKeepsGoToTargets)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    const uint32_t length = window->disc().movieObjects.movieObjectsLength;
    commands->setCurrentCell(2, 1);
    control<QToolButton>(*window, "bbNCins")->click();
    ASSERT_EQ(commands->rowCount(), 8);
    EXPECT_EQ(rowTexts(commands, 3), (Cells{"0003", "00000000", "00000000", "00000000", "NOP"}));
    EXPECT_EQ(rowTexts(commands, 4), (Cells{"0004", "20810000", "00000006", "00000000", "GoTo 6"}));
    EXPECT_EQ(commands->currentRow(), 3);
    EXPECT_EQ(rowTexts(control<QTableWidget>(*window, "sgObject"), 0)[4], "8");
    EXPECT_EQ(window->disc().movieObjects.movieObjectsLength, length + 12);

    control<QPushButton>(*window, "bSave")->click();
    const auto back = readObjectsBack(bdmvFolder);
    ASSERT_EQ(back.objects[0].commands.size(), 8u);
    EXPECT_EQ(back.objects[0].commands[3], (hdmv::TNavCommand{0, 0, 0}));
    EXPECT_EQ(back.objects[0].commands[4].destination, 6u);
    // The ExtensionData block still follows where the file says.
    EXPECT_EQ(back.extensionData, window->disc().movieObjects.extensionData);
}

TEST_F(WindowTest, DeletingLinesMovesGoToTargetsAndDeletingAllResetsTheGrid)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    selectRows(commands, 0, 1);
    control<QToolButton>(*window, "bbNCdel")->click();
    ASSERT_EQ(commands->rowCount(), 5);
    EXPECT_EQ(rowTexts(commands, 1), (Cells{"0001", "20810000", "00000003", "00000000", "GoTo 3"}));
    selectRows(commands, 0, 4);
    control<QToolButton>(*window, "bbNCdel")->click();
    EXPECT_EQ(commands->rowCount(), 1);
    EXPECT_FALSE(commands->isEnabled());
    EXPECT_TRUE(window->disc().movieObjects.objects[0].commands.empty());
    EXPECT_EQ(rowTexts(control<QTableWidget>(*window, "sgObject"), 0)[4], "0");

    control<QPushButton>(*window, "bSave")->click();
    const auto back = readObjectsBack(bdmvFolder);
    EXPECT_TRUE(back.objects[0].commands.empty());
    EXPECT_EQ(back.objects[1].commands.size(), 3u);
}

TEST_F(WindowTest, CommandEditorWritesFieldsIntoTheSelectedCommand)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    commands->setCurrentCell(0, 1);
    auto& command = window->disc().movieObjects.objects[0].commands[0];
    EXPECT_EQ(control<QComboBox>(*window, "cbCmdGrp")->currentText().toStdString(), "Set");
    EXPECT_EQ(control<QComboBox>(*window, "cbCmd")->currentText().toStdString(), "Move");
    EXPECT_EQ(control<THexEdit>(*window, "heOCH")->text().toStdString(), "50400001");
    EXPECT_EQ(control<QLabel>(*window, "lValid")->text().toStdString(), "  Valid");

    // "Imm" as destination type of a Move sets I-flag 1 and makes the command invalid.
    control<QComboBox>(*window, "cbOP1")->setCurrentIndex(2);
    EXPECT_EQ(command.opcode, 0x50C00001u);
    EXPECT_EQ(control<QLabel>(*window, "lValid")->text().toStdString(), "Invalid");
    EXPECT_EQ(rowTexts(commands, 0)[1], "50C00001");

    // 5 typed into the destination with type "PSR" stores 0x80000005.
    control<QComboBox>(*window, "cbOP1")->setCurrentIndex(1);
    auto* op1 = control<TIntEdit>(*window, "ieOp1");
    op1->setText(QStringLiteral("5"));
    emit op1->editingFinished();
    EXPECT_EQ(command.destination, 0x80000005u);
    EXPECT_EQ(rowTexts(commands, 0)[2], "80000005");

    // Opcode 0 clears the whole command.
    auto* och = control<THexEdit>(*window, "heOCH");
    och->setText(QStringLiteral("0"));
    emit och->editingFinished();
    EXPECT_EQ(command, (hdmv::TNavCommand{0, 0, 0}));
    EXPECT_EQ(rowTexts(commands, 0)[4], "NOP");
    EXPECT_EQ(control<QComboBox>(*window, "cbCmd")->currentText().toStdString(), "NOP");
}

TEST_F(WindowTest, ReturnInACommandFieldCompletesTheEntry)
{
    auto window = openSample();
    showObject(*window, 0);
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    control<QTableWidget>(*window, "sgCommands")->setCurrentCell(0, 1);
    auto* deh = control<THexEdit>(*window, "heDEH");
    deh->setFocus();
    deh->selectAll();
    QTest::keyClicks(deh, "1234");
    QTest::keyClick(deh, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), control<QGroupBox>(*window, "gbMovieObject"));
    EXPECT_EQ(window->disc().movieObjects.objects[0].commands[0].destination, 0x1234u);
}

TEST_F(WindowTest, GroupListResetsSubGroupAndOption)
{
    auto window = openSample();
    showObject(*window, 0);
    control<QTableWidget>(*window, "sgCommands")->setCurrentCell(3, 1);    // GoTo 5
    control<QComboBox>(*window, "cbCmdGrp")->setCurrentIndex(1);
    const auto& command = window->disc().movieObjects.objects[0].commands[3];
    EXPECT_EQ(command.group(), 1u);
    EXPECT_EQ(command.subGroup(), 0u);
    EXPECT_EQ(command.option(), 0u);
    EXPECT_EQ(control<QComboBox>(*window, "cbCmdSGrp")->currentText().toStdString(), "-");
}

TEST_F(WindowTest, TracedStartStepsThroughTheObject)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* delay = control<TIntEdit>(*window, "ieActiDelay");
    delay->setValue(0);
    auto* trace = control<QCheckBox>(*window, "cbTrace");
    trace->setChecked(true);
    auto* start = control<QPushButton>(*window, "bStart");
    start->click();    // positions the trace on line 0
    EXPECT_EQ(window->emulator().CurrentLine, 0);
    EXPECT_TRUE(window->emulator().RunPending);
    EXPECT_EQ(window->registers().gpr[0], 0u);
    start->click();    // Move GPR0, 1
    EXPECT_EQ(window->registers().gpr[0], 1u);
    EXPECT_EQ(control<QTableWidget>(*window, "sgCommands")->currentRow(), 1);
    EXPECT_EQ(control<QLineEdit>(*window, "ieProgramLine")->text().toStdString(), "0001");

    trace->setChecked(false);
    start->click();    // the whole program from the top
    EXPECT_EQ(window->registers().gpr[0], 3u);
    EXPECT_EQ(window->registers().psr[4], 1u);    // Jump Title 1
    EXPECT_FALSE(window->emulator().RunPending);
}

TEST_F(WindowTest, CommandGridKeysInsertDeleteAndMakeNop)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    commands->setCurrentCell(0, 1);
    QTest::keyClick(commands, Qt::Key_Insert);
    ASSERT_EQ(commands->rowCount(), 8);
    EXPECT_EQ(rowTexts(commands, 1)[4], "NOP");
    EXPECT_EQ(commands->currentRow(), 1);
    QTest::keyClick(commands, Qt::Key_Delete);
    ASSERT_EQ(commands->rowCount(), 7);
    EXPECT_EQ(rowTexts(commands, 3)[4], "GoTo 5");

    // Shift+N makes the line a NOP and moves on.
    commands->setCurrentCell(2, 1);
    QTest::keyClick(commands, Qt::Key_N, Qt::ShiftModifier);
    EXPECT_EQ(rowTexts(commands, 2), (Cells{"0002", "00000000", "00000000", "00000000", "NOP"}));
    EXPECT_EQ(commands->currentRow(), 3);
    EXPECT_EQ(window->disc().movieObjects.objects[0].commands[2], (hdmv::TNavCommand{0, 0, 0}));
}

TEST_F(WindowTest, TitleGridKeysInsertAndDeleteTitles)
{
    auto window = openSample();
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    titles->setCurrentCell(2, 1);
    QTest::keyClick(titles, Qt::Key_Insert);
    ASSERT_EQ(titles->rowCount(), 4);
    EXPECT_EQ(rowTexts(titles, 3)[0], "004");
    selectRows(titles, 0, 0);
    QTest::keyClick(titles, Qt::Key_Delete);
    EXPECT_EQ(titles->rowCount(), 3);
    EXPECT_EQ(rowTexts(titles, 0), (Cells{"001", "HDMV", "Prohibited1", "Movie", "3"}));
}

TEST_F(WindowTest, DoubleClickOnGoToFollowsItsTarget)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    emit commands->cellDoubleClicked(3, 1);    // GoTo 5
    EXPECT_EQ(commands->currentRow(), 5);
    emit commands->cellDoubleClicked(6, 1);    // Jump Title 1
    EXPECT_EQ(control<QTableWidget>(*window, "sgTitles")->currentRow(), 0);
    EXPECT_EQ(control<QTableWidget>(*window, "sgObject")->currentRow(), 2);
}

TEST_F(WindowTest, RegisterFieldsShowAndWriteRegisters)
{
    auto window = openSample();
    showObject(*window, 0);
    auto* psrNo = control<TIntEdit>(*window, "iePSRno");
    auto* psrValue = control<THexEdit>(*window, "hePSRvalue");
    psrNo->setText(QStringLiteral("128"));
    emit psrNo->textEdited(psrNo->text());
    EXPECT_EQ(psrNo->text().toStdString(), "0");
    EXPECT_EQ(psrValue->text().toStdString(), "00000001");
    psrNo->setText(QStringLiteral("20"));
    emit psrNo->editingFinished();
    EXPECT_EQ(psrNo->text().toStdString(), "020");
    psrValue->setText(QStringLiteral("4"));
    emit psrValue->editingFinished();
    EXPECT_EQ(window->registers().psr[20], 4u);
    EXPECT_EQ(psrValue->text().toStdString(), "00000004");

    // A traced line that names a GPR points the GPR field at it.
    control<TIntEdit>(*window, "ieActiDelay")->setValue(0);
    control<QCheckBox>(*window, "cbTrace")->setChecked(true);
    window->registers().gpr[0] = 0x2A;
    control<QPushButton>(*window, "bStart")->click();
    EXPECT_EQ(control<TIntEdit>(*window, "ieGPRno")->text().toStdString(), "0000");
    EXPECT_EQ(control<THexEdit>(*window, "heGPRvalue")->text().toStdString(), "0000002A");
    EXPECT_EQ(control<QLabel>(*window, "sbPanel1")->text().toStdString(),
              " Line 0000 : 50400001 00000000 00000001 : Move GPR0, 1 ");
}

TEST_F(WindowTest, TracingThreeCommandsPositionsStepsAndEnds)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}})
        .object({false, false, false, {{0x50400001, 0, 1}, {0x50400003, 0, 2}, {0x50400001, 1, 7}}});
    auto window = openBuilt(b);
    control<TIntEdit>(*window, "ieActiDelay")->setValue(0);
    control<QCheckBox>(*window, "cbTrace")->setChecked(true);
    auto* start = control<QPushButton>(*window, "bStart");
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    auto& gpr = window->registers().gpr;

    start->click();    // positions on line 0000, executes nothing
    EXPECT_EQ(commands->currentRow(), 0);
    EXPECT_EQ(gpr[0], 0u);
    EXPECT_TRUE(window->emulator().RunPending);
    EXPECT_TRUE(start->font().bold());
    start->click();
    EXPECT_EQ(gpr[0], 1u);
    EXPECT_EQ(commands->currentRow(), 1);
    start->click();
    EXPECT_EQ(gpr[0], 3u);
    EXPECT_EQ(commands->currentRow(), 2);
    EXPECT_TRUE(window->emulator().RunPending);
    start->click();    // the last command ends the program
    EXPECT_EQ(gpr[1], 7u);
    EXPECT_FALSE(window->emulator().RunPending);
    EXPECT_FALSE(start->font().bold());

    gpr[0] = 0;
    start->click();    // a new trace starts on line 0 again
    EXPECT_TRUE(window->emulator().RunPending);
    EXPECT_EQ(gpr[0], 0u);
    EXPECT_EQ(commands->currentRow(), 0);
}

TEST_F(WindowTest, TypedCommandLineIsWhereAPendingTraceGoesOn)
{
    auto window = openSample();
    showObject(*window, 0);
    control<TIntEdit>(*window, "ieActiDelay")->setValue(0);
    control<QCheckBox>(*window, "cbTrace")->setChecked(true);
    auto* start = control<QPushButton>(*window, "bStart");
    start->click();
    auto* line = control<TIntEdit>(*window, "ieProgramLine");
    line->setText(QStringLiteral("2"));
    emit line->editingFinished();
    start->click();    // EQ GPR0, 3 on line 2: false, so line 3 is passed over
    EXPECT_EQ(window->registers().gpr[0], 0u);
    EXPECT_EQ(window->emulator().CurrentLine, 4);
}

TEST_F(WindowTest, CancelStopsAnEndlessRunAndTheWindowStaysResponsive)
{
    support::DiscBuilder builder;
    builder.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x20810000, 0, 0}}});    // GoTo 0
    auto window = openBuilt(builder);
    control<QTableWidget>(*window, "sgObject")->setCurrentCell(0, 1);
    auto* cancel = control<QPushButton>(*window, "bCancel");
    bool enabledWhileRunning = false;
    QTimer::singleShot(0, [&] {    // fires at the run's first look at the Cancel button
        enabledWhileRunning = cancel->isEnabled();
        cancel->click();
    });
    control<QPushButton>(*window, "bStart")->click();
    EXPECT_TRUE(enabledWhileRunning);
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(control<QTextEdit>(*window, "mLog")->toPlainText().contains(QStringLiteral("Run cancelled after")))
        << control<QTextEdit>(*window, "mLog")->toPlainText().toStdString();
}

TEST_F(WindowTest, CopiedLinesPasteIntoAnotherObjectWithTheirGoToTargetsAndBadTextPastesNothing)
{
    auto window = openSample();
    const hdmv::CommandList source = window->disc().movieObjects.objects[0].commands;
    hdmv::CommandList into = window->disc().movieObjects.objects[1].commands;
    const uint32_t length = window->disc().movieObjects.movieObjectsLength;
    showObject(*window, 0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    selectRows(commands, 2, 5);    // EQ, GoTo 5, Jump Title 2, Play PL 0
    QTest::keyClick(commands, Qt::Key_C, Qt::ControlModifier);

    showObject(*window, 1);
    commands->setCurrentCell(0, 1);
    QTest::keyClick(commands, Qt::Key_V, Qt::ControlModifier);
    // Pasted after line 0: the GoTo lands on the Play PL 0 it came with, now line 4.
    hdmv::TNavCommand jump = source[3];
    jump.destination = 4;
    into.insert(into.begin() + 1, {source[2], jump, source[4], source[5]});
    EXPECT_EQ(window->disc().movieObjects.objects[1].commands, into);
    EXPECT_EQ(window->disc().movieObjects.movieObjectsLength, length + 48);
    EXPECT_EQ(commands->rowCount(), 7);
    EXPECT_EQ(commands->currentRow(), 1);

    // The grid's own command-line text reads back; a line with an error pastes nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("Move PSR16, 6647399       ;PSR16: Language Code for Audio\n"
                                                         "Add GPR1, GPR9999\n"));
    QTest::keyClick(commands, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->disc().movieObjects.objects[1].commands, into);
    EXPECT_TRUE(control<QTextEdit>(*window, "mLog")->toPlainText().contains(
        QStringLiteral("Paste, line 2, column 11: the GPR number is above 4095")));
    QGuiApplication::clipboard()->setText(QStringLiteral("Move PSR16, 6647399       ;PSR16: Language Code for Audio\n"));
    QTest::keyClick(commands, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->disc().movieObjects.objects[1].commands[2], (hdmv::TNavCommand{0x50400001, 0x80000010, 6647399}));
}
