// An edit limited to a record's text field, worked as the operator works it: typed keys, pastes at the cursor and
// texts set by the program. What stays is whole UTF-8 characters within the field's width less its zero.

#include "tests/ui/framework/framework_test_support.h"

#include "ui/framework/dialogs/text_field_limit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// 4 bytes in UTF-8, two UTF-16 units in the edit.
const QString kClef = QString::fromUtf8("\xF0\x9D\x84\x9E");

// Keys typed one character at a time, as a keyboard sends letters beyond ASCII: a key press with the character's text.
void TypeKeys(QLineEdit& edit, const QString& keys)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype length = keys[i].isHighSurrogate() && i + 1 < keys.size() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keys.mid(i, length));
        QCoreApplication::sendEvent(&edit, &press);
        i += length - 1;
    }
}

struct LimitRow {
    const char* what;
    size_t fieldWidth;
    QString start;
    int cursor; // -1: at the end
    std::function<void(QLineEdit&)> act;
    QString expected;
};

TEST(TextFieldLimit, WhatDoesNotFitIsNotTaken)
{
    const auto type = [](const QString& keys) { return [keys](QLineEdit& edit) { TypeKeys(edit, keys); }; };
    const auto paste = [](const QString& text) { return [text](QLineEdit& edit) { edit.insert(text); }; };
    const LimitRow rows[] = {
        {"typing stops at the width", 6, "", -1, type("abcdefg"), "abcde"},
        {"a letter of two bytes that does not fit cannot be typed, nor one of one byte after it", 6, "abcd", -1,
         type(QString::fromUtf8("\xC3\xBC") + "e"), "abcd"},
        {"the name typed at the field's end loses no letter unseen", 21, "", -1,
         type(QString::fromUtf8("Nieder\xC3\xB6sterreich-S\xC3\xBC"
                                "d")),
         QString::fromUtf8("Nieder\xC3\xB6sterreich-S")},
        {"after a letter that did not fit, a removal makes room again", 6, "abcd", -1,
         [](QLineEdit& edit) {
             TypeKeys(edit, QString::fromUtf8("\xC3\xBC"));
             QTest::keyClick(&edit, Qt::Key_Backspace);
             TypeKeys(edit, QString::fromUtf8("\xC3\xBC") + "e");
         },
         QString::fromUtf8("abc\xC3\xBC")},
        {"after a letter that did not fit, a text the program sets is taken", 6, "abcd", -1,
         [](QLineEdit& edit) {
             TypeKeys(edit, QString::fromUtf8("\xC3\xBC"));
             edit.setText("xy");
             TypeKeys(edit, "z");
         },
         "xyz"},
        {"a letter of two bytes that fits is typed", 6, "abc", -1, type(QString::fromUtf8("\xC3\xBC")),
         QString::fromUtf8("abc\xC3\xBC")},
        {"typing inside a full text changes nothing", 6, "abcde", 2, type("x"), "abcde"},
        {"a paste keeps the whole letters that fit", 6, "ab", -1, paste(QString::fromUtf8("\xC3\xBC\xC3\xBC\xC3\xBC")),
         QString::fromUtf8("ab\xC3\xBC")},
        {"a paste inside keeps the text after it", 6, "ab", 1, paste("xyzw"), "axyzb"},
        {"a character outside the basic plane that does not fit is left out whole", 6, "abc", -1, paste(kClef), "abc"},
        {"a character outside the basic plane that fits is taken", 6, "a", -1, paste(kClef), "a" + kClef},
        {"a text the program sets is cut before the letter that does not fit", 21, "", -1,
         [](QLineEdit& edit) {
             edit.setText(QString::fromUtf8("Nieder\xC3\xB6sterreich-S\xC3\xBC"
                                            "d"));
         },
         QString::fromUtf8("Nieder\xC3\xB6sterreich-S")},
        {"the edit's own limit in characters still holds where it is smaller", 21, "", -1,
         [](QLineEdit& edit) {
             edit.setMaxLength(3);
             TypeKeys(edit, "abcdef");
         },
         "abc"},
        {"removing and typing again", 6, "abcde", -1,
         [](QLineEdit& edit) {
             QTest::keyClick(&edit, Qt::Key_Backspace);
             TypeKeys(edit, "xy");
         },
         "abcdx"},
    };
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(row.what);
        QLineEdit edit;
        edit.setText(row.start);
        LimitEditToField(edit, row.fieldWidth);
        edit.setCursorPosition(row.cursor < 0 ? static_cast<int>(row.start.size()) : row.cursor);
        row.act(edit);
        EXPECT_EQ(edit.text(), row.expected);
        EXPECT_LE(static_cast<size_t>(edit.text().toUtf8().size()), row.fieldWidth - 1);
    }
}

TEST(TextFieldLimit, ATextAlreadyTooLongIsCutWhenTheLimitComes)
{
    QLineEdit edit;
    edit.setText(QString::fromUtf8("ab\xC3\xBC\xC3\xBC"));
    LimitEditToField(edit, 5);
    EXPECT_EQ(edit.text(), QString::fromUtf8("ab\xC3\xBC"));
}

TEST(TextFieldLimit, ADialogLimitsItsEditById)
{
    CTestDlg dialog;
    dialog.LimitTextToField(kEdit1, 4);
    TypeKeys(*dialog.edit1, "abcdef");
    TypeKeys(*dialog.edit2, "abcdef");
    EXPECT_EQ(dialog.edit1->text(), "abc");
    EXPECT_EQ(dialog.edit2->text(), "abcdef") << "another edit keeps its own limit";
}

} // namespace
