#include "input_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

TInputTree::TInputTree(QWidget *Parent) : TLazyStringTree(Parent)
{
    TreeOptions().SetPaintOptions({toShowButtons, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages});
    TreeOptions().SetAutoOptions({toAutoDropExpand, toAutoTristateTracking});
    TreeOptions().SetSelectionOptions({toMultiSelect, toCenterScrollIntoView});
    TreeOptions().SetMiscOptions({toCheckSupport, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick,
                                  toWheelPanning});
    OnGetText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
        auto it = Captions.find(Node);
        if (it != Captions.end())
            Text = it->second;
    };
}

TInputTree::~TInputTree()
{
    OnGetText = nullptr;
    OnInitNode = nullptr;
    OnInitChildren = nullptr;
    OnChange = nullptr;
    OnAddToSelection = OnRemoveFromSelection = nullptr;
    OnFocusChanged = nullptr;
    OnFocusChanging = nullptr;
    OnGetPopupMenu = nullptr;
    OnChecked = nullptr;
    OnChecking = nullptr;
    OnCollapsed = nullptr;
    OnCanSplitterResizeNode = nullptr;
    OnIncrementalSearch = nullptr;
    OnDragAllowed = nullptr;
    OnNodeClick = OnNodeDblClick = nullptr;
    OnHotChange = nullptr;
    OnAfterAutoFitColumns = nullptr;
}

void TInputTree::LogSelection()
{
    OnAddToSelection = [this](TBaseLazyTree *, PLazyNode Node) { Log.push_back("add " + Caption(Node)); };
    OnRemoveFromSelection = [this](TBaseLazyTree *, PLazyNode Node) { Log.push_back("remove " + Caption(Node)); };
    OnChange = [this](TBaseLazyTree *, PLazyNode) { Log.push_back("change"); };
    OnFocusChanged = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex) {
        Log.push_back("focus " + (Node ? Caption(Node) : std::string("nil")));
    };
}

std::vector<std::string> TInputTree::SelectedCaptions()
{
    std::vector<std::string> r;
    for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
        if (Selected(n))
            r.push_back(Caption(n));
    return r;
}

std::vector<PLazyNode> TInputTree::Shown()
{
    std::vector<PLazyNode> r;
    for (PLazyNode n = GetFirstVisible(); n; n = GetNextVisible(n))
        r.push_back(n);
    return r;
}

void SetupScanTree(TInputTree &Tree, const std::vector<QString> &Names, int Children, int Width, int Height)
{
    Tree.OnInitNode = [&Tree, Names, Children](TBaseLazyTree *, PLazyNode Parent, PLazyNode Node,
                                               TLazyNodeInitStates &States) {
        Node->CheckType = ctCheckBox;
        if (!Parent) {
            Tree.Captions[Node] = Names[Node->Index];
            if (Children > 0)
                States.Include(ivsHasChildren);
        } else {
            Tree.Captions[Node] = Tree.Captions[Parent] + "." + QString::number(Node->Index);
        }
    };
    Tree.OnInitChildren = [Children](TBaseLazyTree *, PLazyNode, uint32_t &Count) { Count = uint32_t(Children); };
    Tree.SetRootNodeCount(uint32_t(Names.size()));
    Tree.show();
    // Scroll bars come and go with the size: settle on the asked client size.
    for (int i = 0; i < 3 && (Tree.ClientWidth() != Width || Tree.ClientHeight() != Height); ++i)
        Tree.resize(Tree.width() + Width - Tree.ClientWidth(), Tree.height() + Height - Tree.ClientHeight());
    EXPECT_EQ(Tree.ClientWidth(), Width);
    EXPECT_EQ(Tree.ClientHeight(), Height);
    QApplication::setActiveWindow(&Tree);
    Tree.setFocus();
}

std::vector<QString> NumberedNames(int Count, const QString &Prefix)
{
    std::vector<QString> names;
    for (int i = 0; i < Count; ++i)
        names.push_back(Prefix + QString::number(i));
    return names;
}

QPoint LabelPoint(TBaseLazyTree &Tree, PLazyNode Node)
{
    const TRect r = Tree.GetDisplayRect(Node, NoColumn, true);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

QPoint PointWith(TBaseLazyTree &Tree, PLazyNode Node, THitPosition Position)
{
    const TRect r = Tree.GetDisplayRect(Node, NoColumn, false);
    const int y = (r.Top + r.Bottom) / 2;
    for (int x = 0; x < Tree.ClientWidth(); ++x) {
        THitInfo hit;
        Tree.GetHitTestInfoAt(x, y, true, hit);
        if (hit.HitNode == Node && hit.HitPositions.Contains(Position))
            return QPoint(x, y);
    }
    return QPoint(-1, -1);
}

namespace {

void SendMouse(TBaseLazyTree &Tree, QEvent::Type Type, QPoint P, Qt::MouseButton B, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers M)
{
    QWidget *target = Tree.viewport();
    QMouseEvent e(Type, QPointF(P), QPointF(target->mapToGlobal(P)), B, Buttons, M);
    QApplication::sendEvent(target, &e);
}

}   // namespace

void MousePress(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M, Qt::MouseButton B)
{
    SendMouse(Tree, QEvent::MouseButtonPress, P, B, B, M);
}

void MouseRelease(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M, Qt::MouseButton B)
{
    SendMouse(Tree, QEvent::MouseButtonRelease, P, B, Qt::NoButton, M);
}

void MouseMoveTo(TBaseLazyTree &Tree, QPoint P, Qt::MouseButtons Buttons, Qt::KeyboardModifiers M)
{
    SendMouse(Tree, QEvent::MouseMove, P, Qt::NoButton, Buttons, M);
}

void Click(TBaseLazyTree &Tree, QPoint P, Qt::KeyboardModifiers M, Qt::MouseButton B)
{
    MousePress(Tree, P, M, B);
    MouseRelease(Tree, P, M, B);
}

void DoubleClick(TBaseLazyTree &Tree, QPoint P, Qt::MouseButton B)
{
    Click(Tree, P, {}, B);
    SendMouse(Tree, QEvent::MouseButtonDblClick, P, B, B, {});
    MouseRelease(Tree, P, {}, B);
}

void KeyPress(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M, const QString &Text)
{
    QKeyEvent e(QEvent::KeyPress, Key, M, Text);
    QApplication::sendEvent(&Tree, &e);
}

void KeyRelease(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M, const QString &Text)
{
    QKeyEvent e(QEvent::KeyRelease, Key, M, Text);
    QApplication::sendEvent(&Tree, &e);
}

void Key(TBaseLazyTree &Tree, int Key, Qt::KeyboardModifiers M, const QString &Text)
{
    KeyPress(Tree, Key, M, Text);
    KeyRelease(Tree, Key, M, Text);
}

void Type(TBaseLazyTree &Tree, const QString &Text)
{
    for (QChar c : Text)
        Key(Tree, c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode(), {}, QString(c));
}

void Wheel(TBaseLazyTree &Tree, int Delta, Qt::KeyboardModifiers M)
{
    const QPoint p(10, 10);
    QWheelEvent e(QPointF(p), QPointF(Tree.viewport()->mapToGlobal(p)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  M, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Tree.viewport(), &e);
}
