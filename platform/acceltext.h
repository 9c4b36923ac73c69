#pragma once
// The framework's rule for "&" in the texts of controls: "&&" shows as one "&", a single "&"
// marks the accelerator of the character after it. Buttons, check boxes, radio buttons,
// group boxes and tabs follow it in Qt and in the canvas's DrawText; this style brings plain
// labels in, where the accelerator stays hidden. The program installs it once at start-up.
#include <QProxyStyle>

class TAccelTextStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

// Puts TAccelTextStyle over the application's style (once; later calls do nothing).
void Install_Accel_Text_Rule();

// What a label shows of text: "&&" as "&", any other "&" left out.
QString Accel_Shown_Text(const QString &text);
