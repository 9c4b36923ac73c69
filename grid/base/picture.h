#pragma once
// Pictures shown by mark-up texts: THTMLPicture keeps the encoded bytes as loaded and shows
// one frame of them (animated GIFs frame by frame); THTMLPictureCache holds pictures named
// by addresses ("RES://", "FILE://"), TPictureContainer pictures named by the application.
#include "grid/base/classes.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QIODevice;
class TCanvas;
struct TRect;

// A picture whose bytes cannot be decoded, or a missing resource.
class EHTMLPictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class THTMLPicture
{
public:
    THTMLPicture();

    // Takes a copy of the source's bytes; a null source empties the picture.
    void Assign(const THTMLPicture *source);
    // Nothing when empty or undecoded; stretched into r with Stretch, else at r's top-left
    // corner at the natural size for the device (96 pixels per inch give the pixel size).
    void Draw(TCanvas &canvas, const TRect &r) const;
    bool GetEmpty() const { return FEmpty; }
    int GetWidth() const { return FImage.width(); }
    int GetHeight() const { return FImage.height(); }
    // The decoded current frame (null when there is none).
    const QImage &Image() const { return FImage; }
    const QByteArray &Data() const { return FData; }

    // Any failure leaves the picture empty and is not reported.
    void LoadFromFile(const QString &fileName);
    // Nothing for a null stream; decoding errors are thrown (the bytes are kept).
    void LoadFromStream(QIODevice *stream);
    void ReadData(QIODevice *stream);
    void WriteData(QIODevice *stream) const;
    void SaveToStream(QIODevice *stream) const { WriteData(stream); }
    // A resource of the program (":/name"); nothing when there is none.
    void LoadFromResourceName(const QString &name);
    // The resource ":/<id>"; a missing one throws.
    void LoadFromResourceID(int id);
    // "RES://name" and "FILE://path" load (the prefix in any case); other addresses are
    // never downloaded: they stay empty.
    void LoadFromURL(const QString &url);

    bool IsGIF() const;
    int FrameCount();
    // Delay of frame i (1-based) in hundredths of a second; -1 when not a GIF or no such frame.
    int GetFrameTime(int i);
    int MaxWidth() const;
    int MaxHeight() const;
    int Frame() const { return FFrame; }
    // A frame that cannot be decoded shows nothing (no error, as the animation timer and
    // Assign change frames).
    void SetFrame(int n);
    void FrameNext();
    void FramePrev();
    // One tick (a tenth of a second) of the animation clock; true when the frame changed.
    bool Step();

    bool Stretch = false;
    QString ID;
    bool IsDB = false;
    bool Asynch = true;
    bool Busy() const { return FBusy; }
    int FrameXPos = 0;
    int FrameYPos = 0;
    bool FrameTransparent() const { return FFrameTransparent; }
    int FrameDisposal() const { return FFrameDisposal; }
    std::function<void()> OnFrameChange;
    std::function<void()> OnChange;

private:
    void SetData(const QByteArray &data);
    void Changed();
    void CreateOlePicture();
    void ShowFrame();

    QByteArray FData;
    bool FEmpty = true;
    QImage FImage;
    QString FDownloadAddress;
    bool FBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    int FFrameWidth = 0;
    int FFrameHeight = 0;
    bool FFrameTransparent = false;
    int FFrameDisposal = 0;
    int FAnimWidth = 0;
    int FAnimHeight = 0;
    int FNextFrameTime = -1;
    int FTickCount = -1;
};

// Pictures named by addresses, loaded on first use; owns them.
class THTMLPictureCache
{
public:
    THTMLPicture *AddPicture();
    // The first picture whose ID equals id exactly.
    THTMLPicture *FindPicture(const QString &id) const;
    int Count() const { return int(FItems.size()); }
    THTMLPicture *GetPicture(int index) const;
    // Puts picture at index and hands the one it replaces back to the caller.
    std::unique_ptr<THTMLPicture> SetPicture(int index, std::unique_ptr<THTMLPicture> picture);
    void ClearPictures() { FItems.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

// A named picture of a container.
class TPictureItem
{
public:
    TPictureItem() : FPicture(std::make_unique<THTMLPicture>()) {}
    THTMLPicture *Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture *picture) { FPicture->Assign(picture); }
    void Assign(const TPictureItem &source);
    QString Name;
    int Tag = 0;

private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureCollection
{
public:
    TPictureItem *Add();
    TPictureItem *Insert(int index);
    int Count() const { return int(FItems.size()); }
    TPictureItem *Items(int index) const;
    // The item at index becomes a copy of value; nothing for an index out of range.
    void SetItems(int index, const TPictureItem &value);
    bool Animate();

private:
    std::vector<std::unique_ptr<TPictureItem>> FItems;
};

// Pictures an application names, found by IMG sources without ":".
class TPictureContainer : public TComponent
{
public:
    TPictureContainer() : FItems(std::make_unique<TPictureCollection>()) {}
    TPictureCollection &Items() const { return *FItems; }
    void SetItems(std::unique_ptr<TPictureCollection> items) { FItems = std::move(items); }
    // The first item whose name equals name without regard to ASCII case.
    virtual THTMLPicture *FindPicture(const QString &name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
