#pragma once
// What the lazy tree offers assistive software: the providers that make accessible objects
// for a tree, the process's one factory that asks them, and the item record of the standard
// tree-view item query. The program registers no provider, so its trees offer no accessible
// object of their own (the platform's default one stands in) and send no accessibility
// events; the tree-view queries answer in any case.
#include "controls/tree/lazytree.h"

#include <vector>

class QAccessibleEvent;
class QAccessibleInterface;

// Makes an accessible object for a tree: the tree's own, and then the one of its focused
// item (the tree tells which by whether it has its own already).
class ILTAccessibleProvider
{
public:
    virtual ~ILTAccessibleProvider() = default;
    virtual QAccessibleInterface *CreateIAccessible(TBaseLazyTree *ATree) = 0;
};

// Providers are kept in registration order and not owned: whoever registers one keeps it
// alive until it unregisters it.
class TLTAccessibilityFactory
{
public:
    TLTAccessibilityFactory();
    void RegisterAccessibleProvider(ILTAccessibleProvider *Provider);
    void UnRegisterAccessibleProvider(ILTAccessibleProvider *Provider);
    // The accessible object a tree asks for; nullptr when no provider makes one.
    QAccessibleInterface *CreateIAccessible(TBaseLazyTree *ATree);
    const std::vector<ILTAccessibleProvider *> &Providers() const { return FAccessibleProviders; }

private:
    std::vector<ILTAccessibleProvider *> FAccessibleProviders;
};

// The process's factory, made on the first call.
TLTAccessibilityFactory &GetAccessibilityFactory();

// Where the trees' accessibility events go: Qt's accessibility (which passes them on only
// while assistive software listens) unless a sink is set; returns the previous sink.
using TLTAccessibleEventSink = void (*)(QAccessibleEvent *Event);
TLTAccessibleEventSink SetAccessibleEventSink(TLTAccessibleEventSink Sink);

// The object identifier of a window's client area.
constexpr int OBJID_CLIENT = -4;

// Relations of the next-item query.
constexpr int TVGN_ROOT = 0, TVGN_NEXT = 1, TVGN_PREVIOUS = 2, TVGN_PARENT = 3, TVGN_CHILD = 4,
              TVGN_FIRSTVISIBLE = 5, TVGN_NEXTVISIBLE = 6, TVGN_PREVIOUSVISIBLE = 7,
              TVGN_DROPHILITE = 8, TVGN_CARET = 9, TVGN_LASTVISIBLE = 10;

// Mask bits and state bits of the item query.
constexpr uint32_t TVIF_TEXT = 0x1, TVIF_IMAGE = 0x2, TVIF_STATE = 0x8, TVIF_HANDLE = 0x10,
                   TVIF_SELECTEDIMAGE = 0x20, TVIF_CHILDREN = 0x40;
constexpr uint32_t TVIS_FOCUSED = 0x1, TVIS_SELECTED = 0x2, TVIS_CUT = 0x4, TVIS_DROPHILITED = 0x8,
                   TVIS_EXPANDED = 0x20;

// The item record of the item query: the asker sets Mask, Item and the text buffer; the tree
// fills the fields Mask names.
struct TLTTreeViewItem
{
    uint32_t Mask = 0;
    PLazyNode Item = nullptr;
    uint32_t State = 0;
    uint32_t StateMask = 0;
    char16_t *Text = nullptr;   // a buffer of TextMax characters
    int TextMax = 0;
    int Image = 0;
    int SelectedImage = 0;
    int Children = 0;
    intptr_t Param = 0;
};
