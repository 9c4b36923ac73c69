#pragma once
// The tab row under the page control, in place of the platform's tab control: it keeps the
// tab texts with their sheets, the current tab and the highlight flags, lays the tabs out
// from text, font and image room (multi-line rows; left and right tabs run down the side),
// answers the hit test, and paints the plain 3D look that the page control paints over.
// The layout is computed on demand and kept until a text, a setting or the size changes.
#include "platform/canvas.h"

#include <QString>
#include <functional>
#include <vector>

class TDazTabSheet;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TDazTabStrip
{
public:
    // Room around the text of a tab, along and across the row.
    static constexpr int kTextPadding = 6;
    static constexpr int kRowPadding = 6;
    // Gap between the tabs and the control's edges.
    static constexpr int kEdge = 2;

    int Count() const { return int(FTabs.size()); }
    QString Text(int i) const;
    TDazTabSheet *Object(int i) const;
    int IndexOfObject(const TDazTabSheet *sheet) const;
    // The first tab of an empty row becomes current; a tab inserted at or before the current
    // one keeps that one current.
    void Insert(int i, const QString &text, TDazTabSheet *sheet);
    // Deleting the current tab leaves none current.
    void Delete(int i);
    // The current tab stays current wherever it moves.
    void Move(int from, int to);
    void SetText(int i, const QString &text);

    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int i);   // -1 or out of range: no current tab
    bool Highlighted(int i) const;
    void SetHighlighted(int i, bool on);

    TTabPosition Position() const { return FPosition; }
    void SetPosition(TTabPosition p);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool on);
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool on);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int h);   // 0: from the font
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int w);    // 0: from the text
    // Size of the images of the image list; every tab with an image index of 0 or more is
    // enlarged by the width (top and bottom tabs) or the height (left and right tabs).
    void SetImageSize(int width, int height);
    int ImageWidth() const { return FImageWidth; }
    int ImageHeight() const { return FImageHeight; }
    void SetFont(const TFont &font);
    void SetBounds(int width, int height);
    // The image index of a tab (-1: no image).
    std::function<int(int tab)> ImageIndexOf;

    int RowCount();
    TRect TabRect(int i);           // empty out of range
    int IndexOfTabAt(int x, int y); // -1 off the tabs
    // Pixel lines of the page frame (inclusive) and the page area inside it.
    TRect FrameLines();
    TRect DisplayRect();

    // The plain look: the page frame and the tabs, raised, the current one joined to the
    // page. drawTab paints a tab's content (the owner-drawn mode); without it the text is
    // written, turned for left and right tabs, grey for a tab whose enabled() says no.
    void Paint(TCanvas &canvas, const std::function<void(int tab, const TRect &r, bool active)> &drawTab,
               const std::function<bool(int tab)> &enabled);

private:
    struct TTab {
        QString Text;
        TDazTabSheet *Sheet = nullptr;
        bool Highlighted = false;
    };
    void Invalidate() { FDirty = true; }
    void Layout();
    bool Vertical() const { return FPosition == tpLeft || FPosition == tpRight; }

    std::vector<TTab> FTabs;
    int FTabIndex = -1;
    TTabPosition FPosition = tpTop;
    bool FMultiLine = false;
    bool FRaggedRight = false;
    int FTabHeight = 0;
    int FTabWidth = 0;
    int FImageWidth = 0;
    int FImageHeight = 0;
    TFont FFont;
    int FWidth = 0;
    int FHeight = 0;

    bool FDirty = true;
    std::vector<TRect> FRects;
    int FRows = 0;
    int FStripDepth = 0;   // across the rows, from the control's edge to the page frame
};
