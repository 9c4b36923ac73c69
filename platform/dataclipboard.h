#pragma once
// The clipboard as a holder of a data object that renders its formats when asked, as the
// tree's cut, copy and paste need it: the object handed over is owned by the clipboard and
// destroyed when something replaces it. The real one sits over QClipboard; tests install
// the in-memory one, which can also be told to refuse.
#include <QMimeData>
#include <memory>

class IDataClipboard
{
public:
    virtual ~IDataClipboard() = default;
    // Takes ownership; false (and the object deleted) when the clipboard refuses it.
    virtual bool SetDataObject(QMimeData *Data) = 0;
    // What the clipboard holds (an empty object when nothing); nullptr when it cannot be read.
    virtual const QMimeData *DataObject() = 0;
    // Replaces the held object by a plain copy of every format it renders now.
    virtual void Flush() = 0;
};

IDataClipboard &DataClipboard();
// Not owned; nullptr restores the system clipboard.
void SetDataClipboard(IDataClipboard *Board);

// A plain copy of every non-empty format Data renders.
QMimeData *RenderedCopy(const QMimeData &Data);

class TMemoryDataClipboard : public IDataClipboard
{
public:
    bool SetDataObject(QMimeData *Data) override;
    const QMimeData *DataObject() override;
    void Flush() override;
    // Destroys what is held, as another program taking the clipboard does.
    void Clear() { FData.reset(); }
    bool FailSet = false, FailGet = false;

private:
    std::unique_ptr<QMimeData> FData;
    QMimeData FEmpty;
};

// Installs a memory clipboard for its lifetime.
class TMemoryDataClipboardGuard
{
public:
    TMemoryDataClipboardGuard() { SetDataClipboard(&Board); }
    ~TMemoryDataClipboardGuard()
    {
        SetDataClipboard(nullptr);
        Board.Clear();
    }
    TMemoryDataClipboard Board;
};
