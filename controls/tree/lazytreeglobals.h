#pragma once
// What all lazy trees of the process share: the start-up that runs for the first tree, the
// built-in image lists (check images and utility glyphs), the header splitter cursors and
// the lock under which image strips are cut into lists.
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

// A list of equally sized square images.
class TLTImageList
{
public:
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }
    const QImage &Image(int Index) const { return FImages.at(size_t(Index)); }
    void Clear() { FImages.clear(); }
    void SetSize(int AWidth, int AHeight) { FWidth = AWidth; FHeight = AHeight; }
    // Adds Image with the pixels of TransparentColor (0xAARRGGBB) made transparent.
    void AddMasked(const QImage &Image, QRgb TransparentColor);

private:
    int FWidth = 16, FHeight = 16;
    std::vector<QImage> FImages;
};

// A cursor kept as a picture with its hot spot; the header makes the QCursor from it.
struct TLTCursorImage
{
    QImage Image;
    QPoint HotSpot;
};

enum class TLTBuiltInList {
    LightCheck, DarkCheck, LightTick, DarkTick, Flat, XP, Utilities, SystemDefault, SystemFlat
};

struct TLazyTreeGlobals
{
    bool MMXAvailable = false;
    bool IsWinVistaOrAbove = false;   // explorer-style theming may be used
    QString ReferenceFormat;       // the clipboard format that names a tree of this process
    TLTImageList Lists[9];         // indexed by TLTBuiltInList
    TLTCursorImage HeaderSplitCursor;   // screen cursor 63
    TLTCursorImage VertSplitCursor;     // screen cursor 62
    int StartupRuns = 0;

    TLTImageList &List(TLTBuiltInList Which) { return Lists[int(Which)]; }
};

// The process-wide state; the start-up runs on the first call.
TLazyTreeGlobals &LazyTreeGlobals();

// Registers the tree's clipboard formats at start-up; the clipboard format registry sets it
// before the first tree is made. Unset, nothing beyond the reference format is registered.
void SetLazyTreeFormatRegistration(std::function<void()> Register);

// Cuts a strip of square images into List (inside the shared lock): the strip's height is
// the image size and the colour of its top-left pixel is transparent. With MapColors, white,
// silver and gray become the window, button face and button shadow colours. Throws
// ELazyTreeAssertion when the strip is missing (less than one pixel high).
void FillImageListFromStrip(TLTImageList &List, const QImage &Strip, const QString &Name,
                            bool MapColors);

class TBaseLazyTree;

// The one worker thread of the process that builds position caches: started with the first
// tree, ended with the last.
void AddWorkerReference();
void ReleaseWorkerReference(TBaseLazyTree *Tree);
bool LazyTreeWorkerRunning();
int LazyTreeWorkerStarts();   // how many workers were started so far
