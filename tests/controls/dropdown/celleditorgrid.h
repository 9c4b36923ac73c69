#pragma once
// A shown 3 x 4 editing string grid whose column 1 edits with the editor type Type, and keys
// sent where the focus is: the fixture of the tests that edit cells with drop-downs.
#include "controls/dropdown/dropdownscreen.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <memory>

class CellEditorGrid : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    std::unique_ptr<TDazStringGrid> Grid;
    TEditorType Type = edNormal;

    void SetUp() override
    {
        Grid = std::make_unique<TDazStringGrid>();
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
        Grid->resize(400, 200);
        Grid->show();
        Grid->activateWindow();
        Grid->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Grid.reset();
        QApplication::processEvents();
    }
    QWidget *Focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : static_cast<QWidget *>(Grid.get());
    }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent down(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(Focused(), &down);
        QKeyEvent up(QEvent::KeyRelease, K, M, Text);
        QApplication::sendEvent(Focused(), &up);
    }
    void Key(int K, const QString &Text) { Key(K, Qt::NoModifier, Text); }
};
