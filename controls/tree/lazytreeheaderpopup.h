#pragma once
// TLTHeaderPopupMenu: a menu that rebuilds itself each time it is about to show, with one
// checked item per visible column and one unchecked item per hidden column, so that the
// user can show and hide columns. It acts only when its popup component is a tree.
#include "controls/tree/lazytree.h"

#include <QMenu>

enum class TLTHeaderPopupOption : uint8_t { poOriginalOrder, poAllowHideAll, poResizeToFitItem };
using TLTHeaderPopupOptions = TEnumSet<TLTHeaderPopupOption>;
enum class TAddPopupItemType : uint8_t { apNormal, apDisabled, apHidden };

using TAddHeaderPopupItemEvent =
    std::function<void(TBaseLazyTree *Sender, TColumnIndex Column, TAddPopupItemType &Cmd)>;
using TColumnChangeEvent = std::function<void(TBaseLazyTree *Sender, TColumnIndex Column, bool Visible)>;

class TLTHeaderPopupMenu : public QMenu
{
public:
    explicit TLTHeaderPopupMenu(QWidget *Parent = nullptr);

    TLTHeaderPopupOptions Options() const { return FOptions; }
    void SetOptions(TLTHeaderPopupOptions Value) { FOptions = Value; }
    // The tree the menu works on, as the tree's popup code sets it.
    QObject *PopupComponent() const;
    void SetPopupComponent(QObject *Value);
    // Builds the items and pops the menu up at a screen point.
    void Popup(QPoint P);
    // Rebuilds the items from the popup component's columns (also before every show).
    void RebuildItems();
    void HeaderMenuItemClick(QAction *Item);

    TAddHeaderPopupItemEvent OnAddHeaderPopupItem;
    TColumnChangeEvent OnColumnChange;

protected:
    virtual void FireAddHeaderPopupItem(TColumnIndex Column, TAddPopupItemType &Cmd);
    virtual void FireColumnChange(TColumnIndex Column, bool Visible);

private:
    TBaseLazyTree *Tree() const;
    TLTHeaderPopupOptions FOptions;
};
