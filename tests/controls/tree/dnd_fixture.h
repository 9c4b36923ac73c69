#pragma once
// String trees for drag and drop and clipboard tests: captions and a 32-bit user value
// per node live in the test and travel through the stream events; the drag loop is a
// script the test supplies instead of Qt's modal loop.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreedataobject.h"
#include "controls/tree/lazytreedragimage.h"

#include <QIODevice>
#include <QPainter>
#include <functional>
#include <map>
#include <string>

class TDndTree : public TLazyStringTree
{
public:
    std::map<PLazyNode, QString> Captions;
    // Runs in place of the drag loop; without it the loop drops nothing.
    std::function<void(uint32_t Allowed, QMimeData *Data, uint32_t &Effect)> Loop;
    uint32_t LastAllowed = 0;
    QPoint CursorPos;

    TDndTree()
    {
        SetNodeDataSize(4);
        // Trees offer no format until the application names them.
        SetClipboardFormats({QStringLiteral("Lazy Tree Data"), QStringLiteral("Unicode text")});
        OnGetText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type,
                           QString &Text) {
            if (Type == TLSTTextType::ttNormal && Captions.count(Node))
                Text = Captions[Node];
        };
        OnSaveNode = [this](TBaseLazyTree *, PLazyNode Node, QIODevice &Stream) {
            if (Node) {
                const QByteArray caption = Captions[Node].toUtf8();
                Stream.write(reinterpret_cast<const char *>(GetNodeData(Node)), 4);
                const int32_t size = int32_t(caption.size());
                Stream.write(reinterpret_cast<const char *>(&size), 4);
                Stream.write(caption);
            }
        };
        OnLoadNode = [this](TBaseLazyTree *, PLazyNode Node, QIODevice &Stream) {
            Stream.read(reinterpret_cast<char *>(GetNodeData(Node)), 4);
            int32_t size = 0;
            Stream.read(reinterpret_cast<char *>(&size), 4);
            Captions[Node] = QString::fromUtf8(Stream.read(std::clamp(size, 0, 1000)));
        };
        OnFreeNode = [this](TBaseLazyTree *, PLazyNode Node) { Captions.erase(Node); };
    }
    ~TDndTree() override
    {
        DetachDndEvents();
        Clear();
    }
    void DetachDndEvents()
    {
        OnGetText = nullptr;
        OnSaveNode = OnLoadNode = nullptr;
        OnFreeNode = nullptr;
        OnNodeMoved = OnNodeCopied = nullptr;
        OnNodeMoving = OnNodeCopying = nullptr;
        OnDragOver = nullptr;
        OnDragDrop = nullptr;
        OnDragAllowed = nullptr;
        OnRenderOLEData = nullptr;
        OnGetUserClipboardFormats = nullptr;
        OnCreateDragManager = nullptr;
        OnCreateDataObject = nullptr;
    }
    PLazyNode Add(PLazyNode Parent, const QString &Caption, int32_t Value = 0)
    {
        PLazyNode node = AddChild(Parent);
        Captions[node] = Caption;
        *GetNodeData<int32_t>(node) = Value;
        return node;
    }
    // "caption=value" of every node in pre-order, children indented by level.
    std::vector<std::string> Dump()
    {
        std::vector<std::string> lines;
        for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
            lines.push_back(std::string(GetNodeLevel(n), ' ') + Captions[n].toStdString() + "=" +
                            std::to_string(*GetNodeData<int32_t>(n)));
        return lines;
    }
    PLazyNode Find(const QString &Caption)
    {
        for (auto &[node, caption] : Captions)
            if (caption == Caption)
                return node;
        return nullptr;
    }

    QPoint GlobalCursorPos() const override { return CursorPos; }
    using TCustomLazyStringTree::AddToSelection;
    using TBaseLazyTree::ClearSelection;
    using TBaseLazyTree::DoStateChange;
    using TBaseLazyTree::DragEnterTree;
    using TBaseLazyTree::DropModeAt;
    using TBaseLazyTree::PreferredDropEffect;
    using TBaseLazyTree::RenderTreeData;
    using TBaseLazyTree::RunOleDrag;
    using TBaseLazyTree::SourceTreeOf;
    using TBaseLazyTree::TimerExpired;

protected:
    void RunDragLoop(uint32_t Allowed, QMimeData *Data, uint32_t &Effect) override
    {
        LastAllowed = Allowed;
        if (Loop)
            Loop(Allowed, Data, Effect);
    }
};

// A screen made of an image; counts the pixels captured from it.
class TImageScreen : public IDragImageScreen
{
public:
    QImage Screen;
    int CapturedPixels = 0, Draws = 0;
    explicit TImageScreen(QSize Size, QColor Fill = Qt::white)
        : Screen(Size, QImage::Format_ARGB32_Premultiplied)
    {
        Screen.fill(Fill);
    }
    QImage Capture(const QRect &R) override
    {
        CapturedPixels += R.width() * R.height();
        return Screen.copy(R);
    }
    void Restore(QPoint At, const QImage &Image, const QRect &Part) override { Put(At + Part.topLeft(), Image.copy(Part)); }
    void Draw(QPoint At, const QImage &Image) override
    {
        ++Draws;
        Put(At, Image);
    }
    void Hide() override {}

private:
    void Put(QPoint At, const QImage &Image)
    {
        QPainter p(&Screen);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(At, Image);
    }
};
