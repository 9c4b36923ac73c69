#pragma once
// THTMLHintWindow: a hint window that draws its text in the cell mark-up (or, for a text in
// the wide cell text encoding, as one plain line in the hint font). The grid shows its
// cell hints, sizing hints and scroll hints in it; it always stays inside the screen.
#include "platform/canvas.h"

#include <QString>
#include <QWidget>

class TCustomImageList;
class TPictureContainer;
class TDazStringGrid;

class THTMLHintWindow : public QWidget
{
    Q_OBJECT
public:
    explicit THTMLHintWindow(QWidget *AOwner = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    QString Caption() const { return FCaption; }
    // The size the hint needs within MaxWidth pixels, as (0, 0, width, height).
    TRect CalcHintRect(int MaxWidth, const QString &AHint, TDazStringGrid *AData);
    // Sizes the window for the hint from Rect's top-left, keeps it inside the screen and
    // shows it without taking the focus.
    void ActivateHint(TRect Rect, const QString &AHint);
    // The same, with the grid's images and pictures for the mark-up.
    void ActivateHintData(TRect Rect, const QString &AHint, TDazStringGrid *AData);
    // The grid's image list or picture container at Removed is being destroyed.
    void ForgetSource(const void *Removed);
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

    // The font name of hints in the wide cell text encoding (set by the grid for each
    // cell hint).
    static QString HintFontName();
    static void SetHintFontName(const QString &Name);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TFont HintFont(bool Wide) const;
    // Measures AHint: width and height of the text.
    QSize Measure(const QString &AHint, int MaxWidth, bool &Wide, QString &Decoded);

    TColor FColor = clInfoBk;
    QString FCaption;
    QString FWideCaption;
    bool FWide = false;
    const TCustomImageList *FImages = nullptr;
    TPictureContainer *FPictureContainer = nullptr;
    int FTextWidth = 0;
    int FTextHeight = 0;
};
