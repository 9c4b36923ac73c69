#include "gateway/categorypanel.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

TCategoryPanel::TCategoryPanel(TCategoryPanelGroup *group, const QString &name)
    : QFrame(group->widget()), group_(group)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    header_ = new QWidget(this);
    header_->setObjectName(name + QStringLiteral("_Header"));
    header_->setGeometry(0, 0, width(), TCategoryPanelGroup::Header_Height);
    header_->setAutoFillBackground(true);
    header_->setCursor(Qt::PointingHandCursor);
    header_->installEventFilter(this);
    marker_ = new QLabel(header_);
    marker_->setGeometry(4, 0, 16, TCategoryPanelGroup::Header_Height);
    caption_ = new QLabel(header_);
    caption_->setGeometry(24, 0, 400, TCategoryPanelGroup::Header_Height);
    QFont bold = caption_->font();
    bold.setBold(true);
    bold.setPixelSize(15);
    caption_->setFont(bold);
    for (QLabel *l : {marker_, caption_})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    content_ = new QWidget(this);
    content_->setObjectName(name + QStringLiteral("_Content"));
    Update_Marker();
}

QString TCategoryPanel::Caption() const
{
    return caption_->text();
}

void TCategoryPanel::SetCaption(const QString &caption)
{
    caption_->setText(caption);
}

void TCategoryPanel::SetTop(int top)
{
    move(x(), top);
    group_->Arrange();
}

void TCategoryPanel::SetHeight(int height)
{
    full_height_ = height;
    group_->Arrange();
}

void TCategoryPanel::SetCollapsed(bool collapsed)
{
    collapsed_ = collapsed;
    Update_Marker();
    group_->Arrange();
}

void TCategoryPanel::SetVisible(bool visible)
{
    setVisible(visible);
    group_->Arrange();
}

void TCategoryPanel::Place(int y, int width)
{
    const int h = collapsed_ ? TCategoryPanelGroup::Header_Height : full_height_;
    setGeometry(0, y, width, h);
    header_->resize(width, TCategoryPanelGroup::Header_Height);
    content_->setGeometry(0, TCategoryPanelGroup::Header_Height, width,
                          std::max(0, h - TCategoryPanelGroup::Header_Height));
}

void TCategoryPanel::Update_Marker()
{
    // The down arrow marks an expanded panel, the right arrow a collapsed one.
    marker_->setText(collapsed_ ? QStringLiteral("\u25B6") : QStringLiteral("\u25BC"));
    content_->setVisible(!collapsed_);
}

bool TCategoryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == header_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        SetCollapsed(!collapsed_);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

TCategoryPanelGroup::TCategoryPanelGroup(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("CPG"));
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setTracking(true);
    column_ = new QWidget;
    setWidget(column_);
}

TCategoryPanel *TCategoryPanelGroup::Add_Panel(const QString &name)
{
    auto *panel = new TCategoryPanel(this, name);
    panels_.push_back(panel);
    Arrange();
    return panel;
}

std::vector<TCategoryPanel *> TCategoryPanelGroup::Visible_Panels() const
{
    std::vector<TCategoryPanel *> shown;
    for (TCategoryPanel *p : panels_)
        if (p->Shown())
            shown.push_back(p);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const TCategoryPanel *a, const TCategoryPanel *b) { return a->Top() < b->Top(); });
    return shown;
}

void TCategoryPanelGroup::Arrange()
{
    if (arranging_)
        return;
    arranging_ = true;
    const int width = viewport()->width();
    int y = 0;
    for (TCategoryPanel *p : Visible_Panels()) {
        p->Place(y, width);
        y += p->height();
    }
    column_->resize(width, std::max(y, 1));
    arranging_ = false;
}

void TCategoryPanelGroup::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    Arrange();
}
