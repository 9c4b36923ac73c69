#pragma once
// TDazTrackBarDropDown: an integer edit whose drop-down is a track bar. With typing off (the
// default) the arrow keys step the value by Frequency and a drag across the edit moves it
// one step per PageSize pixels covered within one move.
#include "controls/dropdown/dropdownedit.h"

class QSlider;

class TDazTrackBarDropDown : public TDazCustomDropDown
{
public:
    explicit TDazTrackBarDropDown(QWidget *Parent = nullptr);

    QSlider *TrackBar() const { return FTrackBar; }
    int Position() const { return FPosition; }
    // Clamped by the track bar to Min .. Max.
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // A text that is no integer keeps the position.
    void Change() override;
    void keyPressEvent(QKeyEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;

private:
    void TrackChange();
    QSlider *FTrackBar = nullptr;
    int FMin = 0, FFrequency = 1, FPageSize = 2, FMax = 10, FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};
