#pragma once
// The flat date picker: the platform's date-time picker with a flat one-pixel frame when
// Ctl3D is off, and in Metro style its own drop-down button, border and focus colours
// painted over it. The grid's date cell editor derives from it.
#include "grid/string/borderstyle.h"
#include "grid/string/datetimepickerbase.h"
#include "grid/string/editorpaint.h"

class TRudDateTimePicker : public TDateTimePicker, public TButtonColors
{
public:
    explicit TRudDateTimePicker(QWidget *AOwner = nullptr);

    virtual uint32_t GetVersionNr() const;
    // The version number as four dotted bytes; setting it does nothing.
    QString Version() const;
    void SetVersion(const QString &) {}

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value);
    int ButtonWidth() const { return FButtonWidth; }
    bool IsThemed() const { return FIsThemed; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool HasFocusFlag() const { return FHasFocus; }
    bool MouseInControl() const { return FHover.MouseInControl; }
    bool ButtonHover() const { return FHover.ButtonHover; }

protected:
    // The picker's Metro look applies (never for a part embedded in another picker).
    virtual bool IsMetro() const;
    // Draws the flat frame when Ctl3D is off: only with a border colour here.
    virtual bool FlatFrameWanted() const;
    // How far left of the button the themed Metro fill starts.
    virtual int MetroFillInset() const { return 15; }
    // Paints over the platform's picker: the Metro button and borders, then the frames.
    virtual void PaintOverlay(TCanvas &Canvas);
    void DrawFlatFrame(TCanvas &Canvas);
    TColor FlatFramePen() const;
    virtual void DrawBorder(TCanvas &Canvas);
    void DrawButton(TCanvas &Canvas);
    bool ThemesActive() const;

    void DoEnter() override;
    void DoExit() override;
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;

private:
    bool IsActive() const;
    bool BorderHot() const;

    bool FIsThemed;
    int FButtonWidth;
    bool FIsWinXP;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    TDropButtonHover FHover;
    bool FFocusBorder = false;
};
