#include "platform/printer.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <stdexcept>

TQtPrinter::TQtPrinter(const QString &OutputFile)
    : own_(std::make_unique<QPrinter>(QPrinter::HighResolution)), printer_(own_.get()),
      outputFile_(OutputFile)
{
    if (!OutputFile.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(OutputFile);
    }
}

TQtPrinter::TQtPrinter(QPrinter *Printer) : printer_(Printer) {}

TQtPrinter::~TQtPrinter()
{
    if (canvas_)
        Abort();
}

int TQtPrinter::PageWidth() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()).width(); }
int TQtPrinter::PageHeight() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()).height(); }
int TQtPrinter::DpiX() const { return printer_->logicalDpiX(); }
int TQtPrinter::DpiY() const { return printer_->logicalDpiY(); }

void TQtPrinter::SetOrientation(TPrinterOrientationKind Value)
{
    printer_->setPageOrientation(Value == pokLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

TPrinterOrientationKind TQtPrinter::Orientation() const
{
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? pokLandscape : pokPortrait;
}

void TQtPrinter::SetTitle(const QString &Value) { printer_->setDocName(Value); }
QString TQtPrinter::Title() const { return printer_->docName(); }

void TQtPrinter::BeginDoc()
{
    if (canvas_)
        throw std::runtime_error("Printing in progress");
    if (!outputFile_.isEmpty())
        printer_->setOutputFileName(outputFile_);
    canvas_ = std::make_unique<TCanvas>(printer_);
    if (!canvas_->Painter() || !canvas_->Painter()->isActive()) {
        canvas_.reset();
        throw std::runtime_error("Printer selected is not valid");
    }
}

void TQtPrinter::NewPage()
{
    if (canvas_)
        printer_->newPage();
}

void TQtPrinter::EndDoc() { canvas_.reset(); }

void TQtPrinter::Abort()
{
    if (!canvas_)
        return;
    printer_->abort();
    canvas_.reset();
    // A PDF begun and dropped leaves a file behind: nothing of an aborted job is kept.
    if (!outputFile_.isEmpty())
        QFile::remove(outputFile_);
}

TCanvas &TQtPrinter::Canvas()
{
    if (!canvas_)
        throw std::runtime_error("Printer is not currently printing");
    return *canvas_;
}

namespace {
IPrinter *g_printer = nullptr;
}

IPrinter &Printer()
{
    if (g_printer)
        return *g_printer;
    static TQtPrinter system;
    return system;
}

void SetPrinter(IPrinter *Printer) { g_printer = Printer; }
