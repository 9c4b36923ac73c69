#pragma once
// Font, pen and brush objects that tell OnChange when one of their properties changes, over
// the canvas's plain TFont, TPen and TBrush values (a grid repaints when its fonts change).
#include "grid/base/classes.h"
#include "platform/canvas.h"

template <class V>
class TGraphicsObject : public TPersistent
{
public:
    const V &Value() const { return FValue; }
    void SetValue(const V &Value)
    {
        if (Value == FValue)
            return;
        FValue = Value;
        Changed();
    }
    // Copies the value of another object of the same kind.
    void Assign(const TPersistent *Source) override
    {
        if (const auto *other = dynamic_cast<const TGraphicsObject<V> *>(Source))
            SetValue(other->FValue);
        else
            TPersistent::Assign(Source);
    }
    TNotifyEvent OnChange;

protected:
    template <class F>
    void SetField(F V::*Field, const F &Value)
    {
        if (FValue.*Field == Value)
            return;
        FValue.*Field = Value;
        Changed();
    }
    virtual void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    V FValue;
};

class TFontObject : public TGraphicsObject<TFont>
{
public:
    QString Name() const { return FValue.Name; }
    void SetName(const QString &Value) { SetField(&TFont::Name, Value); }
    int Size() const;   // points; the application font's size while unset
    void SetSize(int Value) { SetField(&TFont::Size, Value); }
    // Pixels of the em height as a negative number (the font's size at 96 pixels per inch).
    int Height() const { return -FValue.PixelSize(); }
    void SetHeight(int Value);
    TColor Color() const { return FValue.Color; }
    void SetColor(TColor Value) { SetField(&TFont::Color, Value); }
    TFontStyles Style() const { return FValue.Style; }
    void SetStyle(TFontStyles Value) { SetField(&TFont::Style, Value); }
    QFont ToQFont() const { return FValue.ToQFont(); }
};

class TPenObject : public TGraphicsObject<TPen>
{
public:
    TColor Color() const { return FValue.Color; }
    void SetColor(TColor Value) { SetField(&TPen::Color, Value); }
    int Width() const { return FValue.Width; }
    void SetWidth(int Value) { SetField(&TPen::Width, Value); }
    TPenStyle Style() const { return FValue.Style; }
    void SetStyle(TPenStyle Value) { SetField(&TPen::Style, Value); }
    TPenMode Mode() const { return FValue.Mode; }
    void SetMode(TPenMode Value) { SetField(&TPen::Mode, Value); }
};

class TBrushObject : public TGraphicsObject<TBrush>
{
public:
    TColor Color() const { return FValue.Color; }
    void SetColor(TColor Value) { SetField(&TBrush::Color, Value); }
    TBrushStyle Style() const { return FValue.Style; }
    void SetStyle(TBrushStyle Value) { SetField(&TBrush::Style, Value); }
};
