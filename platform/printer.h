#pragma once
// The printer as the grid prints on it: a device with a resolution and a printable size in
// pixels, an orientation and a job title, and a document of pages drawn through a canvas.
// TQtPrinter prints on a printer of the system or, when an output file is named, into a
// PDF file.
#include "platform/canvas.h"

#include <QString>
#include <memory>

class QPrinter;

enum TPrinterOrientationKind { pokPortrait, pokLandscape };

class IPrinter
{
public:
    virtual ~IPrinter() = default;
    virtual int PageWidth() const = 0;    // printable size in device pixels
    virtual int PageHeight() const = 0;
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    virtual void SetOrientation(TPrinterOrientationKind Value) = 0;
    virtual TPrinterOrientationKind Orientation() const = 0;
    virtual void SetTitle(const QString &Value) = 0;
    virtual QString Title() const = 0;
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // Drops the document begun; nothing of it is printed.
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    // The canvas of the open document (BeginDoc .. EndDoc).
    virtual TCanvas &Canvas() = 0;
};

class TQtPrinter : public IPrinter
{
public:
    // OutputFile: a PDF file to write; empty for the system's default printer.
    explicit TQtPrinter(const QString &OutputFile = {});
    // Prints on a printer set up elsewhere (a preview dialog's).
    explicit TQtPrinter(QPrinter *Printer);
    ~TQtPrinter() override;

    int PageWidth() const override;
    int PageHeight() const override;
    int DpiX() const override;
    int DpiY() const override;
    void SetOrientation(TPrinterOrientationKind Value) override;
    TPrinterOrientationKind Orientation() const override;
    void SetTitle(const QString &Value) override;
    QString Title() const override;
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return canvas_ != nullptr; }
    TCanvas &Canvas() override;

private:
    std::unique_ptr<QPrinter> own_;
    QPrinter *printer_;
    QString outputFile_;
    std::unique_ptr<TCanvas> canvas_;
};

// The printer the grid prints on; a test installs its own (not owned; nullptr restores the
// system's).
IPrinter &Printer();
void SetPrinter(IPrinter *Printer);
