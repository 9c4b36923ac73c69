#pragma once
// Collapsible panels in one scrolling column: a panel is a header with its caption and an
// expand marker, and below it a content area whose controls stand at fixed positions. The
// group keeps its visible panels stacked without gaps in the order of their tops, so a
// panel that grows, shrinks or collapses pushes the ones below it.
#include <QFrame>
#include <QScrollArea>
#include <vector>

class QLabel;
class TCategoryPanelGroup;

class TCategoryPanel : public QFrame
{
    Q_OBJECT
public:
    TCategoryPanel(TCategoryPanelGroup *group, const QString &name);

    QString Caption() const;
    void SetCaption(const QString &caption);
    int Top() const { return y(); }
    void SetTop(int top);
    // Height when expanded, header included.
    int Full_Height() const { return full_height_; }
    void SetHeight(int height);
    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool collapsed);
    void SetVisible(bool visible);
    bool Shown() const { return !isHidden(); }
    int TabOrder() const { return tab_order_; }
    void SetTabOrder(int order) { tab_order_ = order; }
    // Parent of the panel's controls; y 0 is just below the header.
    QWidget *Content() const { return content_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TCategoryPanelGroup;
    void Place(int y, int width);
    void Update_Marker();
    TCategoryPanelGroup *group_;
    QWidget *header_;
    QLabel *marker_;
    QLabel *caption_;
    QWidget *content_;
    int full_height_ = 100;
    bool collapsed_ = false;
    int tab_order_ = 0;
};

class TCategoryPanelGroup : public QScrollArea
{
    Q_OBJECT
public:
    explicit TCategoryPanelGroup(QWidget *parent = nullptr);

    static constexpr int Header_Height = 24;
    TCategoryPanel *Add_Panel(const QString &name);
    const std::vector<TCategoryPanel *> &Panels() const { return panels_; }
    // Visible panels in the order of their tops, from the top down.
    std::vector<TCategoryPanel *> Visible_Panels() const;
    // Stacks the visible panels again; panels call it when they change.
    void Arrange();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *column_;
    std::vector<TCategoryPanel *> panels_;
    bool arranging_ = false;
};
