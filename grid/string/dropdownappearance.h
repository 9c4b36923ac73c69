#pragma once
// The strips above (header) and below (footer) the list of a drop-down editor: visibility,
// size, colours, caption, image, font and a row of push buttons. Every grid keeps one of
// each in its control look and copies them into the drop-down editors it makes.
//
// Only two changes are reported: Visible (OnChange, when it changes) and the buttons
// (OnButtonsChanged, when a button's Caption, Enabled or Width changes). Adding or removing
// buttons reports nothing.
#include "grid/base/classes.h"
#include "grid/base/collection.h"
#include "grid/base/graphics.h"
#include "grid/base/gridsettings.h"
#include "platform/color.h"

#include <QString>

class TCanvas;
struct TRect;

// gdHorizontal: from left to right; gdVertical: from top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };

// The banded two-colour fill of the drop-down controls, the search panel and the grid's
// gradient background: Steps bands (0 counts as 1) over Rect less its last column
// (LeftToRight) or row, each one pixel wider than its share so no seam shows. Both colours
// count by their low 24 bits after system colours are resolved, so clNone paints white.
// The canvas keeps the last band's pen and brush colour.
void DrawDropDownGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps,
                          const TRect &Rect, bool LeftToRight);

// A button of a header or footer strip; a Width or Height of 0 sizes it by its content.
class TAppearanceButton : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;

    // Caption, Enabled and Width report a change to the collection's OnChange.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);

    CF_GRID_PLAIN_PROPERTY(int, ImageIndex, -1)
    CF_GRID_PLAIN_PROPERTY(int, Height, 0)

protected:
    void AssignButton(const TAppearanceButton *Source);

private:
    void Changed();
    QString FCaption;
    bool FEnabled = true;
    int FWidth = 0;
};

class THeaderButton : public TAppearanceButton
{
public:
    using TAppearanceButton::TAppearanceButton;
    void Assign(const TPersistent *Source) override;
};

class TFooterButton : public TAppearanceButton
{
public:
    using TAppearanceButton::TAppearanceButton;
    void Assign(const TPersistent *Source) override;

    // Whether a click closes the drop-down, and as what.
    CF_GRID_PLAIN_PROPERTY(int, ModalResult, 0)
};

class TAppearanceButtons : public TCollection
{
public:
    using TCollection::TCollection;
    TNotifyEvent OnChange;
};

template <class T>
class TButtonCollection : public TAppearanceButtons
{
public:
    explicit TButtonCollection(TPersistent *AOwner)
        : TAppearanceButtons([](TCollection *c) -> TCollectionItem * { return new T(c); }, AOwner)
    {
    }
    T *Add() { return static_cast<T *>(TCollection::Add()); }
    T *Insert(int Index) { return static_cast<T *>(TCollection::Insert(Index)); }
    T *Items(int Index) const { return static_cast<T *>(TCollection::Items(Index)); }
    // Copies Value's settings into the button at Index.
    void SetItems(int Index, const T *Value) { Items(Index)->Assign(Value); }
};

using THeaderButtons = TButtonCollection<THeaderButton>;
using TFooterButtons = TButtonCollection<TFooterButton>;

class TDropDownAppearance : public TPersistent
{
public:
    TDropDownAppearance(const TDropDownAppearance &) = delete;
    TDropDownAppearance &operator=(const TDropDownAppearance &) = delete;

    TPersistent *GetOwner() const { return FOwner; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    void SetFont(const TFontObject &Value) { FFont.Assign(&Value); }

    // Copies everything from an appearance of the same class (Visible through its setter,
    // then the buttons); any other source is ignored.
    void Assign(const TPersistent *Source) override;
    // Copies only the look (colours, border colour, font, gradient direction), silently.
    void AssignColors(const TPersistent *Source);

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

    CF_GRID_PLAIN_PROPERTY(TColor, Color, clSilver)
    CF_GRID_PLAIN_PROPERTY(TColor, ColorTo, clWhite)
    CF_GRID_PLAIN_PROPERTY(QString, Caption, {})   // mark-up text
    CF_GRID_PLAIN_PROPERTY(TGradientDirection, GradientDirection, gdVertical)
    CF_GRID_PLAIN_PROPERTY(int, Height, 22)
    CF_GRID_PLAIN_PROPERTY(TColor, BorderColor, clBlack)
    CF_GRID_PLAIN_PROPERTY(int, BorderWidth, 1)
    CF_GRID_PLAIN_PROPERTY(int, ImageIndex, -1)
    CF_GRID_PLAIN_PROPERTY(TButtonAlignment, ButtonAlignment, baRight)

protected:
    // Buttons: the descendant's collection, not yet constructed here.
    TDropDownAppearance(TPersistent *AOwner, TAppearanceButtons &Buttons)
        : FOwner(AOwner), FButtonCollection(Buttons)
    {
    }
    // Routes the constructed collection's changes to OnButtonsChanged.
    void ButtonsCreated();
    virtual void AssignOwn(const TDropDownAppearance *) {}

private:
    TPersistent *FOwner;
    TAppearanceButtons &FButtonCollection;
    bool FVisible = true;
    TFontObject FFont;
};

class THeaderAppearance : public TDropDownAppearance
{
public:
    explicit THeaderAppearance(TPersistent *AOwner);

    THeaderButtons &Buttons() { return FButtons; }
    const THeaderButtons &Buttons() const { return FButtons; }
    void SetButtons(const THeaderButtons &Value) { FButtons.Assign(&Value); }

private:
    THeaderButtons FButtons;
};

class TFooterAppearance : public TDropDownAppearance
{
public:
    explicit TFooterAppearance(TPersistent *AOwner);

    TFooterButtons &Buttons() { return FButtons; }
    const TFooterButtons &Buttons() const { return FButtons; }
    void SetButtons(const TFooterButtons &Value) { FButtons.Assign(&Value); }

    CF_GRID_PLAIN_PROPERTY(bool, SizeGrip, true)

protected:
    void AssignOwn(const TDropDownAppearance *Source) override;

private:
    TFooterButtons FButtons;
};
