#include "platform/dataclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class TSystemDataClipboard : public IDataClipboard
{
public:
    bool SetDataObject(QMimeData *Data) override
    {
        QClipboard *board = QGuiApplication::clipboard();
        if (!board) {
            delete Data;
            return false;
        }
        board->setMimeData(Data);
        return true;
    }
    const QMimeData *DataObject() override
    {
        QClipboard *board = QGuiApplication::clipboard();
        return board ? board->mimeData() : nullptr;
    }
    void Flush() override
    {
        if (const QMimeData *data = DataObject())
            SetDataObject(RenderedCopy(*data));
    }
};

IDataClipboard *Installed = nullptr;

}   // namespace

IDataClipboard &DataClipboard()
{
    static TSystemDataClipboard system;
    return Installed ? *Installed : system;
}

void SetDataClipboard(IDataClipboard *Board)
{
    Installed = Board;
}

QMimeData *RenderedCopy(const QMimeData &Data)
{
    auto *copy = new QMimeData;
    for (const QString &format : Data.formats()) {
        const QByteArray bytes = Data.data(format);
        if (!bytes.isEmpty())
            copy->setData(format, bytes);
    }
    return copy;
}

bool TMemoryDataClipboard::SetDataObject(QMimeData *Data)
{
    if (FailSet) {
        delete Data;
        return false;
    }
    // The old object goes first, as the platform releases it before taking the new one.
    FData.reset();
    FData.reset(Data);
    return true;
}

const QMimeData *TMemoryDataClipboard::DataObject()
{
    if (FailGet)
        return nullptr;
    return FData ? FData.get() : &FEmpty;
}

void TMemoryDataClipboard::Flush()
{
    if (FData)
        SetDataObject(RenderedCopy(*FData));
}
