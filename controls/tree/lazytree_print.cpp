// Printing the tree. The content is rendered in bands of one page row (the header on top of
// the first), so memory stays at one band instead of a bitmap of the whole content; every
// page shows the same pixels that one whole bitmap cut into pages would.
#include "controls/tree/lazytree.h"

#include "controls/tree/lazytreeutils.h"
#include "platform/printer.h"

#include <QPainter>
#include <cmath>

void TBaseLazyTree::Print(IPrinter *Printer, bool PrintHeader)
{
    if (!Printer)
        return;
    BeginUpdate();
    const QFont savedFont = font();
    const TColor savedColor = FColor;
    // The tree's own font and colour come back also when printing or painting fails.
    struct TRestore
    {
        TBaseLazyTree &Tree;
        QFont Font;
        TColor Color;
        ~TRestore()
        {
            Tree.FColor = Color;
            Tree.setFont(Font);
            Tree.EndUpdate();
        }
    } restore{*this, savedFont, savedColor};

    QFont smooth = savedFont;
    smooth.setStyleStrategy(QFont::PreferAntialias);
    setFont(smooth);
    const TRect treeRect = GetTreeRect();
    const int width = treeRect.Width(), treeHeight = treeRect.Height();
    const bool withHeader = PrintHeader && Header().Options().Contains(TLTHeaderOption::hoVisible);
    const int headerHeight = withHeader ? Header().Height() : 0;
    const int height = treeHeight + headerHeight;
    FColor = clWhite;
    QImage headerImage;
    if (withHeader) {
        headerImage = QImage(width, headerHeight, QImage::Format_RGB32);
        headerImage.fill(Qt::white);
        const QRect area = HeaderRect();
        render(&headerImage, QPoint(0, 0), QRegion(area.left(), area.top(), width, headerHeight),
               QWidget::DrawChildren);
    }

    Printer->BeginDoc();
    TCanvas &printerCanvas = Printer->Canvas();
    printerCanvas.Font = TFont::FromQFont(font());
    QImage probe(1, 1, QImage::Format_RGB32);
    int screenTextHeight = 1;
    {
        TCanvas screen(&probe);
        screen.Font = TFont::FromQFont(font());
        screenTextHeight = std::max(1, screen.TextHeight(QStringLiteral("Tj")));
    }
    const double ratio = double(printerCanvas.TextHeight(QStringLiteral("Tj"))) / screenTextHeight;
    const int pageWidth = std::max(1, int(std::nearbyint(Printer->PageWidth() / ratio)));
    const int pageHeight = std::max(1, int(std::nearbyint(Printer->PageHeight() / ratio)));
    const int horzPages = (width + pageWidth - 1) / pageWidth;
    const int vertPages = (height + pageHeight - 1) / pageHeight;
    for (int i = 0; i < vertPages; ++i) {
        const int top = i * pageHeight;
        QImage band(std::max(width, 1), pageHeight, QImage::Format_RGB32);
        band.fill(Qt::white);
        {
            TCanvas canvas(&band);
            if (top < headerHeight)
                canvas.Painter()->drawImage(0, 0, headerImage, 0, top, width, headerHeight - top);
            const int windowTop = std::max(top - headerHeight, 0);
            const int windowBottom = std::min(top + pageHeight - headerHeight, treeHeight);
            if (windowBottom > windowTop)
                PaintTree(canvas, TRect(0, windowTop, width, windowBottom),
                          TPoint(0, std::max(headerHeight - top, 0)),
                          TLTInternalPaintOptions{TLTInternalPaintOption::poGridLines});
        }
        for (int j = 0; j < horzPages; ++j) {
            QImage page(pageWidth, pageHeight, QImage::Format_RGB32);
            page.fill(Qt::white);
            {
                QPainter painter(&page);
                painter.drawImage(0, 0, band, j * pageWidth, 0, std::min(pageWidth, width - j * pageWidth),
                                  pageHeight);
            }
            StretchBitmapOnto(printerCanvas, TRect(0, 0, Printer->PageWidth(), Printer->PageHeight() - 1),
                              page);
            if (j < horzPages - 1)
                Printer->NewPage();
        }
        if (i < vertPages - 1)
            Printer->NewPage();
    }
    Printer->EndDoc();
}
