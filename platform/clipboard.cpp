#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class TSystemClipboard : public IClipboard
{
public:
    void SetText(const QString &Text) override
    {
        auto *m = new QMimeData;
        m->setText(Text);
        Board()->setMimeData(m);
    }
    void AddData(const QString &Format, const QByteArray &Data) override
    {
        // A copy of what is there, plus the format: QClipboard takes whole contents only.
        auto *m = new QMimeData;
        if (const QMimeData *old = Board()->mimeData())
            for (const QString &f : old->formats())
                m->setData(f, old->data(f));
        m->setData(Format, Data);
        Board()->setMimeData(m);
    }
    bool HasText() const override
    {
        const QMimeData *m = Board()->mimeData();
        return m && m->hasText();
    }
    QString Text() const override { return Board()->text(); }
    bool HasFormat(const QString &Format) const override
    {
        const QMimeData *m = Board()->mimeData();
        return m && m->hasFormat(Format);
    }
    QByteArray Data(const QString &Format) const override
    {
        const QMimeData *m = Board()->mimeData();
        return m ? m->data(Format) : QByteArray();
    }

private:
    static QClipboard *Board() { return QGuiApplication::clipboard(); }
};

IClipboard *Installed = nullptr;

}   // namespace

IClipboard &Clipboard()
{
    static TSystemClipboard system;
    return Installed ? *Installed : system;
}

void SetClipboard(IClipboard *Board) { Installed = Board; }

void TMemoryClipboard::SetText(const QString &Text)
{
    Clear();
    FText = Text;
    FHasText = true;
}

void TMemoryClipboard::AddData(const QString &Format, const QByteArray &Data) { FData.insert(Format, Data); }

void TMemoryClipboard::Clear()
{
    FHasText = false;
    FText.clear();
    FData.clear();
}
