#include "controls/tree/lazytreeheaderpopup.h"

#include "controls/tree/lazytreeglobals.h"

#include <QAction>

namespace {
const char *const ResizeToFitName = "LT_ResizeToFitMenuItem";
}

TLTHeaderPopupMenu::TLTHeaderPopupMenu(QWidget *Parent) : QMenu(Parent)
{
    connect(this, &QMenu::aboutToShow, this, &TLTHeaderPopupMenu::RebuildItems);
    connect(this, &QMenu::triggered, this, &TLTHeaderPopupMenu::HeaderMenuItemClick);
}

QObject *TLTHeaderPopupMenu::PopupComponent() const
{
    return property("PopupComponent").value<QObject *>();
}

void TLTHeaderPopupMenu::SetPopupComponent(QObject *Value)
{
    setProperty("PopupComponent", QVariant::fromValue(Value));
}

TBaseLazyTree *TLTHeaderPopupMenu::Tree() const
{
    return qobject_cast<TBaseLazyTree *>(PopupComponent());
}

void TLTHeaderPopupMenu::Popup(QPoint P)
{
    popup(P);
}

void TLTHeaderPopupMenu::FireAddHeaderPopupItem(TColumnIndex Column, TAddPopupItemType &Cmd)
{
    Cmd = TAddPopupItemType::apNormal;
    if (OnAddHeaderPopupItem)
        OnAddHeaderPopupItem(Tree(), Column, Cmd);
}

void TLTHeaderPopupMenu::FireColumnChange(TColumnIndex Column, bool Visible)
{
    if (OnColumnChange)
        OnColumnChange(Tree(), Column, Visible);
}

void TLTHeaderPopupMenu::RebuildItems()
{
    TBaseLazyTree *tree = Tree();
    if (!tree)
        return;
    clear();
    if (FOptions.Contains(TLTHeaderPopupOption::poResizeToFitItem)) {
        QAction *fit = addAction(QStringLiteral("&Resize All Columns To Fit"));
        fit->setObjectName(QLatin1String(ResizeToFitName));
        addSeparator();
    }
    TLazyTreeColumns &columns = tree->Header().Columns();
    const TLTImageList *images =
        tree->Header().Options().Contains(TLTHeaderOption::hoShowImages) ? tree->Header().Images() : nullptr;
    int visibleCount = 0;
    QAction *lastVisible = nullptr;
    for (TColumnIndex i = 0; i < columns.Count(); ++i) {
        const TColumnIndex column =
            FOptions.Contains(TLTHeaderPopupOption::poOriginalOrder) ? i : columns.ColumnFromPosition(i);
        if (!columns.IsValidColumn(column))
            continue;
        const TLazyTreeColumn &c = columns[column];
        const bool visible = c.Options().Contains(TLTColumnOption::coVisible);
        visibleCount += visible;
        TAddPopupItemType cmd = TAddPopupItemType::apNormal;
        FireAddHeaderPopupItem(column, cmd);
        if (cmd == TAddPopupItemType::apHidden)
            continue;
        QAction *item = addAction(c.Text());
        item->setData(column);
        item->setToolTip(c.Hint());
        if (images && c.ImageIndex() >= 0 && c.ImageIndex() < images->Count())
            item->setIcon(QIcon(QPixmap::fromImage(images->Image(c.ImageIndex()))));
        item->setCheckable(true);
        item->setChecked(visible);
        if (cmd == TAddPopupItemType::apDisabled)
            item->setEnabled(false);
        else if (visible)
            lastVisible = item;
    }
    // The last visible column cannot be hidden through the menu.
    if (visibleCount == 1 && lastVisible && !FOptions.Contains(TLTHeaderPopupOption::poAllowHideAll))
        lastVisible->setEnabled(false);
}

void TLTHeaderPopupMenu::HeaderMenuItemClick(QAction *Item)
{
    TBaseLazyTree *tree = Tree();
    if (!tree || !Item)
        return;
    TLazyTreeColumns &columns = tree->Header().Columns();
    if (Item->objectName() == QLatin1String(ResizeToFitName)) {
        tree->Header().AutoFitColumns(true, TSmartAutoFitType::smaUseColumnOption, 0, columns.Count() - 1);
        return;
    }
    const TColumnIndex column = Item->data().toInt();
    if (!columns.IsValidColumn(column))
        return;
    // The action flipped its check mark before it fired: checked now means "show".
    const bool show = Item->isChecked();
    TLazyTreeColumn &c = columns[column];
    TLTColumnOptions options = c.Options();
    options.Set(TLTColumnOption::coVisible, show);
    c.SetOptions(options);
    FireColumnChange(column, show);
}
