#pragma once
// Shared set-up of the editor control tests: fixed number and date conventions, a counted
// beep, a shown window to put controls on, and key and mouse helpers.
#include "grid/base/textroutines.h"
#include "grid/string/rudcustomedit.h"
#include "platform/locale.h"
#include "tests/grid/base/paintutil.h"

#include <QApplication>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

struct EditorFixture : ::testing::Test {
    QWidget window;
    int beeps = 0;

    EditorFixture()
    {
        SetFormats(QStringLiteral("dd/MM/yyyy"));
        SetEditorBeepHook([this] { ++beeps; });
        window.resize(400, 200);
    }
    ~EditorFixture() override
    {
        SetEditorBeepHook(nullptr);
        SetGridFormatOverride({});
        SetDecimalSeparatorOverride(QChar());
    }
    static void SetFormats(const QString &DateFormat, QChar Decimal = u'.', QChar Thousand = u',')
    {
        SetGridFormatOverride({u'/', u':', Thousand, Decimal, DateFormat});
        SetDecimalSeparatorOverride(Decimal);
    }
    void Show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    // A key pressed and released, with the text it types (Qt's own for letters, digits,
    // blanks and Enter).
    static void Key(QWidget *w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, QString text = {})
    {
        if (text.isNull() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
            if (key >= 0x20 && key < 0x7F)
                text = QString(QChar(key));
            else if (key == Qt::Key_Return || key == Qt::Key_Enter)
                text = QStringLiteral("\r");
            else if (key == Qt::Key_Escape)
                text = QString(QChar(27));
            else if (key == Qt::Key_Backspace)
                text = QString(QChar(8));
            else if (key == Qt::Key_Tab)
                text = QStringLiteral("\t");
        }
        if (text.size() == 1 && text[0].isLetter() && !(mods & Qt::ShiftModifier))
            text = text.toLower();
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(w, &release);
    }
    static void Keys(QWidget *w, const QString &chars)
    {
        for (QChar c : chars)
            Key(w, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }
    static void Mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};
