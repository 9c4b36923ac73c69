#pragma once
// The system clipboard as the program uses it: Unicode text and named binary formats (MIME
// types) held together as one content. The real one sits over QClipboard; tests install the
// in-memory one.
#include <QByteArray>
#include <QMap>
#include <QString>

class IClipboard
{
public:
    virtual ~IClipboard() = default;
    // Empties the clipboard and puts the text on it.
    virtual void SetText(const QString &Text) = 0;
    // Adds a format to what the clipboard holds.
    virtual void AddData(const QString &Format, const QByteArray &Data) = 0;
    virtual bool HasText() const = 0;
    virtual QString Text() const = 0;
    virtual bool HasFormat(const QString &Format) const = 0;
    virtual QByteArray Data(const QString &Format) const = 0;
};

IClipboard &Clipboard();
// Not owned; nullptr restores the system clipboard.
void SetClipboard(IClipboard *Board);

class TMemoryClipboard : public IClipboard
{
public:
    void SetText(const QString &Text) override;
    void AddData(const QString &Format, const QByteArray &Data) override;
    bool HasText() const override { return FHasText; }
    QString Text() const override { return FText; }
    bool HasFormat(const QString &Format) const override { return FData.contains(Format); }
    QByteArray Data(const QString &Format) const override { return FData.value(Format); }
    // Empties the clipboard.
    void Clear();

private:
    bool FHasText = false;
    QString FText;
    QMap<QString, QByteArray> FData;
};

// Installs a memory clipboard for its lifetime.
class TMemoryClipboardGuard
{
public:
    TMemoryClipboardGuard() { SetClipboard(&Board); }
    ~TMemoryClipboardGuard() { SetClipboard(nullptr); }
    TMemoryClipboard Board;
};
