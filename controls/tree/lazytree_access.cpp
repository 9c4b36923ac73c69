// Accessibility: the accessible objects the registered providers make for a tree, the events
// that tell assistive software about focus, check, expansion and name changes, and the
// standard tree-view queries through which such software reads nodes.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeaccess.h"

#include <QAccessible>
#include <algorithm>
#include <utility>

using enum TLazyNodeState;
using enum TLTImageKind;

namespace {

// Hands Qt's accessibility the tree's own object, where a provider made one; otherwise Qt
// goes on to its default object for the widget.
QAccessibleInterface *LazyTreeAccessibleFactory(const QString &, QObject *Object)
{
    auto *tree = qobject_cast<TBaseLazyTree *>(Object);
    return tree ? tree->AccessibleObject(OBJID_CLIENT) : nullptr;
}

TLTAccessibleEventSink EventSink = nullptr;

void SendAccessibleEvent(QAccessibleEvent *Event)
{
    if (EventSink)
        EventSink(Event);
    else
        QAccessible::updateAccessibility(Event);
}

void FreeAccessible(QAccessibleInterface *&Accessible)
{
    if (!Accessible)
        return;
    // Registering first makes one path for objects Qt knows and those it never saw.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(Accessible));
    Accessible = nullptr;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Factory

TLTAccessibilityFactory::TLTAccessibilityFactory()
{
    QAccessible::installFactory(LazyTreeAccessibleFactory);
}

TLTAccessibleEventSink SetAccessibleEventSink(TLTAccessibleEventSink Sink)
{
    return std::exchange(EventSink, Sink);
}

TLTAccessibilityFactory &GetAccessibilityFactory()
{
    static TLTAccessibilityFactory factory;
    return factory;
}

void TLTAccessibilityFactory::RegisterAccessibleProvider(ILTAccessibleProvider *Provider)
{
    if (Provider && std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), Provider) ==
                        FAccessibleProviders.end())
        FAccessibleProviders.push_back(Provider);
}

void TLTAccessibilityFactory::UnRegisterAccessibleProvider(ILTAccessibleProvider *Provider)
{
    const auto it = std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), Provider);
    if (it != FAccessibleProviders.end())
        FAccessibleProviders.erase(it);
}

QAccessibleInterface *TLTAccessibilityFactory::CreateIAccessible(TBaseLazyTree *ATree)
{
    if (!ATree || FAccessibleProviders.empty())
        return nullptr;
    if (!ATree->AccessibleInterface())
        return FAccessibleProviders.front()->CreateIAccessible(ATree);
    if (QAccessibleInterface *item = ATree->AccessibleItem())
        return item;
    // Later providers may specialise the focused item's object; the first one is the fallback.
    for (size_t i = FAccessibleProviders.size() - 1; i > 0; --i)
        if (QAccessibleInterface *result = FAccessibleProviders[i]->CreateIAccessible(ATree))
            return result;
    return FAccessibleProviders.front()->CreateIAccessible(ATree);
}

// ---------------------------------------------------------------------------------------
// Objects and events

QAccessibleInterface *TBaseLazyTree::AccessibleObject(int ObjectId)
{
    TLTAccessibilityFactory &factory = GetAccessibilityFactory();
    if (!FAccessible)
        FAccessible = factory.CreateIAccessible(this);
    if (!FAccessibleItem)
        FAccessibleItem = factory.CreateIAccessible(this);
    return ObjectId == OBJID_CLIENT ? FAccessible : nullptr;
}

void TBaseLazyTree::ReleaseAccessibility()
{
    FreeAccessible(FAccessibleItem);
    FreeAccessible(FAccessible);
}

void TBaseLazyTree::NotifyAccessibleEvent(int Event)
{
    if (!FAccessibleItem)
        return;
    const auto type = QAccessible::Event(Event);
    if (type == QAccessible::StateChanged) {
        QAccessibleStateChangeEvent e(this, QAccessible::State());
        SendAccessibleEvent(&e);
    } else if (type == QAccessible::ValueChanged) {
        QAccessibleValueChangeEvent e(this, QVariant());
        SendAccessibleEvent(&e);
    } else {
        QAccessibleEvent e(this, type);
        SendAccessibleEvent(&e);
    }
}

void TBaseLazyTree::MainColumnChanged()
{
    CancelEditNode();
    NotifyAccessibleEvent(QAccessible::NameChanged);
}

// ---------------------------------------------------------------------------------------
// Tree-view queries

PLazyNode TBaseLazyTree::TreeViewGetNextItem(int Relation, PLazyNode Node)
{
    switch (Relation) {
    case TVGN_ROOT: return GetFirst();
    case TVGN_NEXT: return Node ? GetNextSibling(Node) : nullptr;
    case TVGN_PREVIOUS: return Node ? GetPreviousSibling(Node) : nullptr;
    case TVGN_PARENT: return NodeParent(Node);
    case TVGN_CHILD: return Node ? GetFirstChild(Node) : nullptr;
    case TVGN_FIRSTVISIBLE: return GetFirstVisible();
    case TVGN_NEXTVISIBLE: return Node ? GetNextVisible(Node) : nullptr;
    case TVGN_PREVIOUSVISIBLE: return Node ? GetPreviousVisible(Node) : nullptr;
    case TVGN_DROPHILITE: return FDropTargetNode;
    case TVGN_CARET: return FFocusedNode;
    case TVGN_LASTVISIBLE: return GetLastVisible();
    default: return nullptr;
    }
}

bool TBaseLazyTree::TreeViewGetItemRect(PLazyNode Node, bool TextOnly, TRect &Rect)
{
    if (!Node || Node == FRoot || !Visible(Node))
        return false;
    Rect = GetDisplayRect(Node, NoColumn, TextOnly, false, false);
    return true;
}

bool TBaseLazyTree::TreeViewGetItem(TLTTreeViewItem &Item)
{
    const PLazyNode node = Item.Item;
    if (!(Item.Mask & TVIF_HANDLE) || !node || node == FRoot)
        return false;
    if (Item.Mask & TVIF_CHILDREN)
        Item.Children = int(ChildCount(node));
    if (Item.Mask & TVIF_IMAGE)
        NodeImage(node, ikNormal, NoColumn, Item.Image);
    if (Item.Mask & TVIF_SELECTEDIMAGE)
        NodeImage(node, ikSelected, NoColumn, Item.SelectedImage);
    if (Item.Mask & TVIF_STATE) {
        Item.StateMask = 0xFF2F;
        uint32_t state = 0;
        if (node == FFocusedNode)
            state |= TVIS_FOCUSED;
        if (node->Has(vsSelected))
            state |= TVIS_SELECTED;
        if (node->Has(vsCutOrCopy))
            state |= TVIS_CUT;
        if (node == FDropTargetNode)
            state |= TVIS_DROPHILITED;
        if (node->Has(vsExpanded))
            state |= TVIS_EXPANDED;
        int stateImage = -1, overlay = -1;
        NodeImage(node, ikState, NoColumn, stateImage);
        NodeImage(node, ikOverlay, NoColumn, overlay);
        state |= uint32_t(std::max(stateImage + 1, 0) & 0xF) << 12;
        state |= uint32_t(std::max(overlay + 1, 0) & 0xF) << 8;
        Item.State = state;
    }
    if ((Item.Mask & TVIF_TEXT) && Item.Text && Item.TextMax > 0) {
        QFont font = this->font();
        TRect r;
        QString text;
        GetTextInfo(node, FHeader->MainColumn(), font, r, text);
        const qsizetype n = std::min<qsizetype>(text.size(), Item.TextMax - 1);
        std::copy_n(reinterpret_cast<const char16_t *>(text.utf16()), n, Item.Text);
        Item.Text[n] = u'\0';
    }
    return true;
}
