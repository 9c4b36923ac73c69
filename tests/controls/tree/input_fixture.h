#pragma once
// A string tree set up as the scan window sets its trees (multi-selection, check boxes,
// wheel panning, toggling on double click), its protected input steps reachable, and
// helpers that send real Qt mouse, key and wheel events.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"

#include <QPoint>
#include <map>

using enum THitPosition;
using enum TLTShiftStateItem;
using enum TCheckState;
using enum TCheckType;

class TInputTree : public TLazyStringTree
{
public:
    explicit TInputTree(QWidget *Parent = nullptr);
    ~TInputTree() override;
    using TBaseLazyTree::AddToSelection;
    using TBaseLazyTree::ArmAutoScroll;
    using TBaseLazyTree::AutoScrollStep;
    using TBaseLazyTree::CalculateSelRect;
    using TBaseLazyTree::ClearSelection;
    using TBaseLazyTree::CompactSelection;
    using TBaseLazyTree::KeyDown;
    using TBaseLazyTree::LocateInSelection;
    using TBaseLazyTree::MarkUnselected;
    using TBaseLazyTree::MouseWheel;
    using TBaseLazyTree::RemoveFromSelection;
    using TBaseLazyTree::ScrollDirectionsAt;
    using TBaseLazyTree::SelectRange;
    using TBaseLazyTree::StopPanning;
    using TBaseLazyTree::TimerExpired;
    using TBaseLazyTree::ToggleRange;
    using TBaseLazyTree::UpdateRubberBand;
    using TBaseLazyTree::VK_DOWN;

    // The pointer as the automatic scrolling reads it (screen coordinates).
    QPoint CursorPos;
    int Beeps = 0;
    std::map<PLazyNode, QString> Captions;
    std::vector<std::string> Log;

    QPoint GlobalCursorPos() const override { return CursorPos; }
    void MessageBeep() override { ++Beeps; }
    // Logs "add <caption>", "remove <caption>", "change", "focus <caption>".
    void LogSelection();
    std::string Caption(PLazyNode Node) { return GetText(Node).toStdString(); }
    // The selected captions in tree order.
    std::vector<std::string> SelectedCaptions();
    // The nodes in display order (initialising).
    std::vector<PLazyNode> Shown();
};

// Top-level nodes named by Names (each with Children children "<name>.<i>" while
// Children > 0), every node a check box; shown with a client of Width x Height and focused.
void SetupScanTree(TInputTree &Tree, const std::vector<QString> &Names, int Children = 0,
                   int Width = 300, int Height = 180);

// Count captions: Prefix followed by 0, 1, 2 ...
std::vector<QString> NumberedNames(int Count, const QString &Prefix = QString());

// The client point in the middle of a node's caption, and a point of the node's row with
// a given hit position (-1, -1 when there is none).
QPoint LabelPoint(TBaseLazyTree &Tree, PLazyNode Node);
QPoint PointWith(TBaseLazyTree &Tree, PLazyNode Node, THitPosition Position);

// Real events: mouse events go to the viewport, key events to the tree.
void MousePress(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M = {},
                Qt::MouseButton B = Qt::LeftButton);
void MouseRelease(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M = {},
                  Qt::MouseButton B = Qt::LeftButton);
void MouseMoveTo(TBaseLazyTree &Tree, QPoint P, Qt::MouseButtons Buttons = Qt::LeftButton,
                 Qt::KeyboardModifiers M = {});
void Click(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M = {}, Qt::MouseButton B = Qt::LeftButton);
// Press, release, double click, release, as a person's double click arrives.
void DoubleClick(TBaseLazyTree &Tree, QPoint P, Qt::MouseButton B = Qt::LeftButton);
void KeyPress(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M = {}, const QString &Text = {});
void KeyRelease(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M = {}, const QString &Text = {});
void Key(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M = {}, const QString &Text = {});
void Type(TBaseLazyTree &Tree, const QString &Text);
void Wheel(TBaseLazyTree &Tree, int Delta, Qt::KeyboardModifiers M = {});
