#include "ui/num_edit.h"

#include <QTest>

#include <gtest/gtest.h>

using mirtal::ui::THexEdit;
using mirtal::ui::TIntEdit;

TEST(TIntEdit, ReadsSignedDecimalAndZeroForAnythingElse)
{
    TIntEdit edit;
    EXPECT_EQ(edit.text().toStdString(), "0");
    edit.setText(QStringLiteral("-12"));
    EXPECT_EQ(edit.value(), -12);
    EXPECT_EQ(edit.property("Value").toLongLong(), -12);
    edit.setText(QString());
    EXPECT_EQ(edit.value(), 0);
    edit.setText(QStringLiteral("1e3"));
    EXPECT_EQ(edit.value(), 0);
    edit.setProperty("Value", 4095);
    EXPECT_EQ(edit.text().toStdString(), "4095");
}

TEST(THexEdit, ShowsAtLeastItsDigitsAndReadsHexDigitsOnly)
{
    THexEdit edit(4);
    EXPECT_EQ(edit.text().toStdString(), "0000");
    edit.setValue(0x1F);
    EXPECT_EQ(edit.text().toStdString(), "001F");
    edit.setValue(0x12345);
    EXPECT_EQ(edit.text().toStdString(), "12345");
    edit.setText(QStringLiteral("12 G4"));
    EXPECT_EQ(edit.value(), 0x124);
    edit.setText(QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(edit.value(), 0xFFFFFFFF);
    THexEdit none(0);
    EXPECT_TRUE(none.text().isEmpty());
}

TEST(NumberFields, KeyFilterDropsForeignCharactersAndPassesEditingKeys)
{
    TIntEdit dec;
    dec.setText(QStringLiteral("12"));
    dec.setCursorPosition(2);
    QTest::keyClick(&dec, Qt::Key_X, Qt::NoModifier);
    EXPECT_EQ(dec.text().toStdString(), "12");
    QTest::keyClick(&dec, Qt::Key_3);
    QTest::keyClick(&dec, Qt::Key_Backspace);
    QTest::keyClick(&dec, Qt::Key_Minus);
    EXPECT_EQ(dec.text().toStdString(), "12-");

    THexEdit hex(8);
    hex.clear();
    QTest::keyClicks(&hex, QStringLiteral("a1xG"));
    EXPECT_EQ(hex.text().toStdString(), "a1");
    EXPECT_EQ(hex.value(), 0xA1);
}
