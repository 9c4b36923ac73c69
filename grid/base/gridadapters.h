#pragma once
// Small helpers a grid keeps: the controls placed in its cells, a string list read and
// written line by line by the text import and export, and a cell picture named by file.
#include "grid/base/alphamask.h"
#include "grid/base/classes.h"
#include "grid/base/stringlist.h"
#include "platform/canvas.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <vector>

// A control shown in cell (X, Y); the control is not owned.
class TControlItem : public TObject
{
public:
    TControlItem(int X, int Y, QWidget *AObject) : FX(X), FY(Y), FObject(AObject) {}
    int X() const { return FX; }
    void SetX(int Value) { FX = Value; }
    int Y() const { return FY; }
    void SetY(int Value) { FY = Value; }
    // nullptr once the control is destroyed.
    QWidget *Control() const { return FObject.data(); }

private:
    int FX;
    int FY;
    QPointer<QWidget> FObject;
};

// The controls of a grid's cells: owns its items, not their controls.
class TControlList
{
public:
    int Count() const { return int(FItems.size()); }
    void AddControl(int X, int Y, QWidget *AObject);
    int ControlIndex(int X, int Y) const;   // the first item of that cell, else -1
    TControlItem *GetControl(int i) const;  // nullptr outside 0..Count-1
    void RemoveControl(int i);              // frees the item, not its control
    // Some item's control is this window.
    bool HasHandle(const QWidget *Handle) const;

private:
    std::vector<std::unique_ptr<TControlItem>> FItems;
};

// A string list with a read position and a pending output line.
class TFileStringList : public TStringList
{
public:
    void Reset();                         // read position 0, no pending text
    bool Eof() const { return FPos >= Count(); }
    // The line at the read position, which advances; past the end throws EStringListError.
    void ReadLn(QString &S);
    void Write(const QString &S);         // appends to the pending line
    void WriteLn(const QString &S);       // adds pending line + S and empties the pending line

private:
    int FPos = 0;
    QString FCache;
};

// A cell picture referenced by file name; the file is read again whenever it is drawn.
class TFilePicture : public TPersistent
{
public:
    QString Filename() const { return FFilename; }
    // Reads the file to learn its size; a missing or undecodable file throws
    // EInvalidGraphic and leaves the picture as it was.
    void SetFilename(const QString &Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Stretched into Rect; nothing without a file name or when the file cannot be read.
    void DrawPicture(TCanvas &Canvas, const TRect &Rect) const;
    // Copies name and size from another file picture, without reading the file.
    void Assign(const TPersistent *Source) override;

private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
