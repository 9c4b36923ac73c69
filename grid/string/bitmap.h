#pragma once
// The pictures a grid's settings and cells hold: an image with a change notification.
// TBitmap (glyphs, backgrounds), TPicture (cell pictures of any format) and TIcon differ
// only in what they are used for; any of them can be copied into another.
#include "grid/base/classes.h"

#include <QImage>
#include <QString>

class TGraphic : public TPersistent
{
public:
    const QImage &Image() const { return FImage; }
    // Stores the image and notifies (also when the new image equals the old one).
    void SetImage(const QImage &Value);
    bool Empty() const { return FImage.isNull(); }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    // Reads any image format Qt decodes; an unreadable file empties the picture.
    void LoadFromFile(const QString &FileName);
    // Copies the image of another picture; nullptr empties this one.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

private:
    QImage FImage;
};

class TBitmap : public TGraphic
{
};

class TPicture : public TGraphic
{
};

class TIcon : public TGraphic
{
};
