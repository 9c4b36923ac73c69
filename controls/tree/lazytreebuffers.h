#pragma once
// Append-only text buffers that the content export fills piece by piece, and the
// re-entrant lock of the tree's shared start-up. A buffer grows by the appended length
// rounded up to 4096 units, so appending costs one copy per piece and a reallocation only
// every 4096 units or more.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <mutex>

namespace lazytree_detail {
// One growable block of Unit; the content is [Start, Position).
template <typename Unit>
class TBufferBlock
{
public:
    TBufferBlock() = default;
    ~TBufferBlock();
    TBufferBlock(const TBufferBlock &) = delete;
    TBufferBlock &operator=(const TBufferBlock &) = delete;

    void Append(const Unit *Data, size_t Length);
    // CR LF; grows by 4096 units when MinRoom units or fewer are free.
    void AppendNewLine(size_t MinRoom);
    size_t Length() const { return size_t(FPosition - FStart); }
    size_t Capacity() const { return size_t(FEnd - FStart); }
    const Unit *Data() const { return FStart; }

private:
    void Grow(size_t By);
    Unit *FStart = nullptr;
    Unit *FPosition = nullptr;
    Unit *FEnd = nullptr;
};
}   // namespace lazytree_detail

// 8-bit text (RTF).
class TBufferedRawByteString
{
public:
    void Add(const QByteArray &S) { FBlock.Append(S.constData(), size_t(S.size())); }
    void Add(const char *S) { FBlock.Append(S, std::char_traits<char>::length(S)); }
    void AddNewLine() { FBlock.AppendNewLine(2); }
    QByteArray AsString() const { return QByteArray(FBlock.Data(), qsizetype(FBlock.Length())); }
    size_t Length() const { return FBlock.Length(); }
    size_t Capacity() const { return FBlock.Capacity(); }

private:
    lazytree_detail::TBufferBlock<char> FBlock;
};

// UTF-16 text (HTML and plain text).
class TBufferedString
{
public:
    void Add(const QString &S)
    {
        if (!S.isEmpty())
            FBlock.Append(S.constData(), size_t(S.size()));
    }
    void AddNewLine() { FBlock.AppendNewLine(4); }
    QString AsString() const { return QString(FBlock.Data(), qsizetype(FBlock.Length())); }
    size_t Length() const { return FBlock.Length(); }
    size_t Capacity() const { return FBlock.Capacity(); }

private:
    lazytree_detail::TBufferBlock<QChar> FBlock;
};

// A lock that its owning thread may enter again.
class TCriticalSection
{
public:
    void Enter() { FSection.lock(); }
    void Leave() { FSection.unlock(); }

private:
    std::recursive_mutex FSection;
};
