#pragma once
// Page controls for the tests: the network editor's configuration (two pages, tabs at the
// left in the dotNet look) and a plain one, shown in a host window, with real mouse and key
// events and rendering into an image.
#include "mbus/dazpagecontrol.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

constexpr TColor kEditorColor = 15595512;

inline TFont TestFont(int size = 10)
{
    TFont f;
    f.Name = QStringLiteral("DejaVu Sans");
    f.Size = size;
    f.Color = clBlack;
    return f;
}

inline void SendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                         ? Qt::NoButton
                                         : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

inline void Click(QWidget *to, QPoint at)
{
    SendMouse(to, QEvent::MouseButtonPress, at);
    SendMouse(to, QEvent::MouseButtonRelease, at);
}

inline void SendKey(QWidget *to, int key, Qt::KeyboardModifiers mods)
{
    QKeyEvent event(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(to, &event);
}

inline QPoint Centre(const TRect &r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

inline QImage Render(QWidget *w)
{
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    w->render(&img);
    return img;
}

inline TColor PixelAt(const QImage &img, int x, int y)
{
    return FromQColor(img.pixelColor(x, y));
}

class PageControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Host = std::make_unique<QWidget>();
        Host->resize(420, 320);
        Pc = new TDazPageControl(Host.get());
        Pc->setGeometry(0, 0, 420, 320);
        Pc->SetFont(TestFont());
        Pc->SetActiveFont(TestFont());
    }

    // The network editor's form settings, two pages, then Loaded.
    void MakeEditor()
    {
        Pc->SetTabPosition(tpLeft);
        Pc->SetTabStyle(tsDotNet);
        Pc->SetMultiLine(true);
        Pc->TabMargin().SetTopMargin(10);
        Pc->TabMargin().SetRightMargin(20);
        Pc->SetTabOverlap(0);
        Pc->SetLowerActive(0);
        Pc->SetDefaultTabColor(kEditorColor);
        Pc->SetTabBackGroundColor(kEditorColor);
        Pc->SetActiveColor(clSkyBlue);
        Nodes = AddPage(QStringLiteral("DazTabSheet1"), QStringLiteral("  Nodes    "));
        Variables = AddPage(QStringLiteral("DazTabSheet2"), QStringLiteral("  Variables    "));
        for (TDazTabSheet *p : {Nodes, Variables}) {
            p->SetColor(kEditorColor);
            p->SetTabColor(kEditorColor);
            p->SetColorTo(clNone);
            p->SetTabColorTo(clNone);
        }
        Pc->Loaded();
        Host->show();
    }

    TDazTabSheet *AddPage(const QString &name, const QString &caption)
    {
        auto *p = new TDazTabSheet(Host.get());
        p->setObjectName(name);
        p->SetCaption(caption);
        p->SetDazPageControl(Pc);
        return p;
    }

    std::unique_ptr<QWidget> Host;
    TDazPageControl *Pc = nullptr;
    TDazTabSheet *Nodes = nullptr;
    TDazTabSheet *Variables = nullptr;
};
