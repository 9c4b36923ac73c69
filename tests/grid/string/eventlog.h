#pragma once
// Records the events a string grid fires, in order, as short lines such as "ClickCell 2,1"
// (row before column where the event has it so), and drives the grid with real key and mouse
// events.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

class TEventLog
{
public:
    explicit TEventLog(TDazStringGrid &Grid) : FGrid(Grid)
    {
        auto add = [this](const QString &Line) { Lines << Line; };
        auto cell = [](int A, int B) { return QStringLiteral(" %1,%2").arg(A).arg(B); };
        Grid.OnCanClickCell = [=](TObject *, int R, int C, bool &) { add("CanClickCell" + cell(R, C)); };
        Grid.OnSelectCell = [=](TObject *, int C, int R, bool &) { add("SelectCell" + cell(C, R)); };
        Grid.OnMouseDown = [=](TObject *, TMouseButton B, TShiftState, int, int) {
            add(B == mbRight ? "MouseDown right" : "MouseDown");
        };
        Grid.OnMouseUp = [=](TObject *, TMouseButton B, TShiftState, int, int) {
            add(B == mbRight ? "MouseUp right" : "MouseUp");
        };
        Grid.OnClick = [=](TObject *) { add("Click"); };
        Grid.OnClickCell = [=](TObject *, int R, int C) { add("ClickCell" + cell(R, C)); };
        Grid.OnDblClickCell = [=](TObject *, int R, int C) { add("DblClickCell" + cell(R, C)); };
        Grid.OnRightClickCell = [=](TObject *, int R, int C) { add("RightClickCell" + cell(R, C)); };
        Grid.OnCheckBoxClick = [=](TObject *, int C, int R, bool S) {
            add("CheckBoxClick" + cell(C, R) + (S ? " on" : " off"));
        };
        Grid.OnCheckBoxChange = [=](TObject *, int C, int R, bool S) {
            add("CheckBoxChange" + cell(C, R) + (S ? " on" : " off"));
        };
        Grid.OnCheckBoxMouseUp = [=](TObject *, int C, int R, bool) { add("CheckBoxMouseUp" + cell(C, R)); };
        Grid.OnRadioClick = [=](TObject *, int C, int R, int I) {
            add("RadioClick" + cell(C, R) + QStringLiteral(" %1").arg(I));
        };
        Grid.OnRadioButtonClick = [=](TObject *, int C, int R) { add("RadioButtonClick" + cell(C, R)); };
        Grid.OnButtonClick = [=](TObject *, int C, int R) { add("ButtonClick" + cell(C, R)); };
        Grid.OnSelectionChanged = [=](TObject *, int, int, int, int) { add("SelectionChanged"); };
        Grid.OnKeyDown = [=](TObject *, uint16_t &K, TShiftState) {
            add(QStringLiteral("KeyDown %1").arg(K));
        };
        Grid.OnKeyPress = [=](TObject *, QChar &K) { add(QStringLiteral("KeyPress %1").arg(K.unicode())); };
        Grid.OnColumnSize = [=](TObject *, int C, bool &) { add(QStringLiteral("ColumnSize %1").arg(C)); };
        Grid.OnEndColumnSize = [=](TObject *, int C) { add(QStringLiteral("EndColumnSize %1").arg(C)); };
        Grid.OnClickSort = [=](TObject *, int C) { add(QStringLiteral("ClickSort %1").arg(C)); };
        Grid.OnAnchorClick = [=](TObject *, int R, int C, const QString &A, bool &) {
            add("AnchorClick" + cell(R, C) + " " + A);
        };
        Grid.OnClipboardCopy = [=](TObject *, bool &) { add("ClipboardCopy"); };
    }

    // The lines whose event name is one of Names, in order.
    QStringList Only(const QStringList &Names) const
    {
        QStringList out;
        for (const QString &l : Lines)
            if (Names.contains(l.section(' ', 0, 0)))
                out << l;
        return out;
    }
    void Clear() { Lines.clear(); }

    // Input as the user makes it.
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent down(QEvent::KeyPress, QtKey, Mods, Text);
        QApplication::sendEvent(&FGrid, &down);
        QKeyEvent up(QEvent::KeyRelease, QtKey, Mods, Text);
        QApplication::sendEvent(&FGrid, &up);
    }
    void Mouse(QEvent::Type Type, QPoint P, Qt::MouseButton Button = Qt::LeftButton,
               Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        const Qt::MouseButtons buttons = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Button;
        QMouseEvent e(Type, QPointF(P), QPointF(FGrid.viewport()->mapToGlobal(P)), Button,
                      buttons, Mods);
        QApplication::sendEvent(FGrid.viewport(), &e);
    }
    void Press(QPoint P, Qt::MouseButton Button = Qt::LeftButton) { Mouse(QEvent::MouseButtonPress, P, Button); }
    void Release(QPoint P, Qt::MouseButton Button = Qt::LeftButton) { Mouse(QEvent::MouseButtonRelease, P, Button); }
    void Click(QPoint P, Qt::MouseButton Button = Qt::LeftButton)
    {
        Press(P, Button);
        Release(P, Button);
    }
    void DoubleClick(QPoint P)
    {
        Click(P);
        Mouse(QEvent::MouseButtonDblClick, P);
        Release(P);
    }
    // A point inside a cell (display indexes), DX/DY from its top-left corner.
    QPoint At(int ACol, int ARow, int DX = 6, int DY = 6) const
    {
        const TRect r = FGrid.CellRect(ACol, ARow);
        return QPoint(r.Left + DX, r.Top + DY);
    }

    QStringList Lines;

private:
    TDazStringGrid &FGrid;
};
