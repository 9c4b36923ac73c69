// Expanding and collapsing a node, with the sliding of the rows below (or above) it.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeheader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <cmath>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTAutoOption;
using enum TLTAnimationOption;

namespace {

enum class TToggleAnimationMode { tamScrollUp, tamScrollDown, tamNoScroll };
using enum TToggleAnimationMode;

// The two areas that slide while a node toggles; area 1 always moves the further.
struct TToggleAnimationData
{
    TRect R1, R2;
    TToggleAnimationMode Mode1 = tamNoScroll, Mode2 = tamNoScroll;
    int Amount1 = 0, Amount2 = 0;
    double ScaleFactor = 0;
    double MissedSteps = 0;
};

// Exchanges the areas when area 2 moves further and answers the number of steps.
int PrepareToggleAnimation(TToggleAnimationData &Data)
{
    if (Data.Mode1 != tamNoScroll && Data.Mode2 != tamNoScroll && Data.Amount1 < Data.Amount2) {
        std::swap(Data.R1, Data.R2);
        std::swap(Data.Mode1, Data.Mode2);
        std::swap(Data.Amount1, Data.Amount2);
    }
    Data.ScaleFactor = Data.Amount1 > 0 ? double(Data.Amount2) / Data.Amount1 : 0;
    Data.MissedSteps = 0;
    return Data.Mode1 == tamNoScroll ? Data.Amount2 : Data.Amount1;
}

}   // namespace

void TBaseLazyTree::RunAnimation(int Steps, int Duration,
                                 const std::function<bool(int, int)> &Callback)
{
    if (FStates.Contains(tsInAnimation) || Duration <= 0 || Steps <= 0)
        return;
    DoStateChange({tsInAnimation});
    QElapsedTimer elapsedTimer;
    elapsedTimer.start();
    const std::function<int64_t()> clock =
        FAnimationClock ? FAnimationClock : [&elapsedTimer] { return elapsedTimer.elapsed(); };
    try {
        // Pixels per millisecond, rounded half to even.
        int stepSize = std::max(1, int(std::nearbyint(double(Steps) / Duration)));
        int64_t remainingSteps = Steps / stepSize;
        int64_t remainingTime = Duration;
        int step = 0;
        int64_t now = clock();
        while (remainingSteps > 0 && remainingTime > 0 && !FDestroying) {
            const int64_t t0 = now;
            if (!Callback(step, stepSize))
                break;
            const int64_t until = t0 + remainingTime / remainingSteps;
            while ((now = clock()) < until) {
            }
            const int64_t elapsed = now - t0;
            if (elapsed > remainingTime) {
                remainingTime = 0;
                remainingSteps = 0;
            } else {
                remainingTime -= elapsed;
                --remainingSteps;
            }
            // Less than a millisecond per step: take bigger steps.
            while (remainingSteps > 0 && remainingTime / remainingSteps == 0) {
                ++stepSize;
                remainingSteps = remainingTime / stepSize;
            }
            step = int(Steps - remainingSteps);
        }
        if (!FDestroying)
            Callback(0, 0);
    } catch (...) {
        DoStateChange({}, {tsInAnimation});
        throw;
    }
    DoStateChange({}, {tsInAnimation});
}

void TBaseLazyTree::ToggleNode(PLazyNode Node)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    if (Node == FRoot || Node->Has(vsDeleting) || Node->Has(vsToggling))
        return;
    // Expansion changes what the position cache walks.
    StopCacheValidation();
    const bool nested = FStates.Contains(tsToggling);
    DoStateChange({tsToggling});
    Node->States.Include(vsToggling);
    auto finish = [&] {
        Node->States.Exclude(vsToggling);
        if (!nested)
            DoStateChange({}, {tsToggling});
    };

    const TLTPaintOptions paint = TreeOptions().PaintOptions();
    const TLTAnimationOptions animation = TreeOptions().AnimationOptions();
    const bool above = paint.Contains(toChildrenAbove);
    const bool animated = animation.Contains(toAnimatedToggle);
    const bool advanced = animation.Contains(toAdvancedAnimatedToggle);
    const bool autoScroll = TreeOptions().AutoOptions().Contains(toAutoScrollOnExpand);
    TToggleAnimationData data;
    int64_t heightDelta = 0;
    bool needUpdate = false, posHoldable = false, fits = false, topVisible = false;
    bool bottomVisible = false, childrenInView = false, scrollDone = false;

    auto slide = [&] {
        // What is pending is painted first, so the slide moves the current rows.
        if (isVisible())
            QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);
        const int steps = PrepareToggleAnimation(data);
        const QSize startSize = viewport()->size();
        // What the sliding uncovers is painted as background until the final repaint.
        FFillingStrips = true;
        try {
            RunAnimation(steps, int(FAnimationDuration), [&](int, int StepSize) {
                if (StepSize <= 0)
                    return true;
                if (!isVisible() || viewport()->size() != startSize)
                    return false;
                auto move = [this](const TRect &R, TToggleAnimationMode Mode, int Amount) {
                    if (Mode == tamNoScroll || Amount <= 0)
                        return;
                    const QRect clip = R.ToQRect();
                    ScrollClientArea(0, Mode == tamScrollUp ? -Amount : Amount, &clip);
                    const int height = std::min(Amount, clip.height());
                    viewport()->repaint(Mode == tamScrollUp
                                            ? QRect(clip.left(), clip.bottom() + 1 - height, clip.width(), height)
                                            : QRect(clip.left(), clip.top(), clip.width(), height));
                };
                move(data.R1, data.Mode1, StepSize);
                int amount2 = 0;
                if (data.Mode1 == tamNoScroll) {
                    amount2 = StepSize;
                } else if (data.Mode2 != tamNoScroll && data.ScaleFactor > 0) {
                    amount2 = int(std::nearbyint((StepSize + data.MissedSteps) * data.ScaleFactor));
                    data.MissedSteps = StepSize * data.ScaleFactor + data.MissedSteps - amount2;
                }
                move(data.R2, data.Mode2, amount2);
                return true;
            });
        } catch (...) {
            FFillingStrips = false;
            throw;
        }
        FFillingStrips = false;
    };

    try {
        const int clientHeight = ClientHeight();
        if (Node->Has(vsExpanded)) {
            if (DoCollapsing(Node)) {
                needUpdate = true;
                heightDelta = int64_t(Node->NodeHeight) - int64_t(Node->TotalHeight);
                if (FUpdateCount == 0 && animated && !FStates.Contains(tsCollapsing)) {
                    data.R1 = GetDisplayRect(Node, NoColumn, false);
                    data.Mode2 = tamNoScroll;
                    if (!above) {
                        if (FRangeY + FOffsetY + heightDelta < clientHeight &&
                            clientHeight < int64_t(FRangeY) && FOffsetY != 0 && advanced) {
                            data.Mode1 = tamScrollDown;
                            data.Amount1 = int(std::min<int64_t>(
                                -FOffsetY, clientHeight - FOffsetY - FRangeY - heightDelta));
                            data.R1 = TRect(data.R1.Left, 0, data.R1.Right, clientHeight);
                            scrollDone = true;
                        } else {
                            data.Mode1 = tamScrollUp;
                            data.R1.Top += int(Node->NodeHeight);
                            data.R1.Bottom = clientHeight;
                            data.Amount1 =
                                int(std::min<int64_t>(-heightDelta, clientHeight - data.R1.Top + 1));
                        }
                    } else {
                        posHoldable = int64_t(Node->TotalHeight) - Node->NodeHeight + FOffsetY < 1;
                        if (data.R1.Top < clientHeight) {
                            if (!posHoldable && advanced) {
                                data.Mode1 = tamScrollUp;
                                data.R1.Top = int(std::max<int64_t>(0, data.R1.Top + heightDelta));
                                data.R1.Bottom = clientHeight;
                                data.Amount1 = int(FOffsetY - heightDelta);
                            } else {
                                data.Mode1 = tamScrollDown;
                                const int oldTop = data.R1.Top;
                                data.R1 = TRect(data.R1.Left, 0, data.R1.Right, oldTop);
                                data.Amount1 = int(std::min<int64_t>(
                                    oldTop + 1, int64_t(Node->TotalHeight) - Node->NodeHeight));
                            }
                        } else {
                            data.Amount1 = 0;
                        }
                    }
                    if (data.R1.Top < clientHeight)
                        slide();
                }
                if (FullyVisible(Node))
                    FVisibleCount -= VisibleDescendantCount(Node);
                UpdateTotalHeight(Node, GetEffectivelyFiltered(Node) ? 0 : Node->NodeHeight, false);
                Node->States.Exclude(vsExpanded);
                DoCollapsed(Node);
                if (TreeOptions().AutoOptions().Contains(toAutoFreeOnCollapse) &&
                    Node->ChildCount > 0) {
                    DeleteChildren(Node, false);
                    Node->States.Include(vsHasChildren);
                }
            }
        } else if (DoExpanding(Node)) {
            needUpdate = true;
            if (!Node->Has(vsInitialized))
                InitNode(Node);
            if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
                InitChildren(Node);
            if (Node->ChildCount > 0) {
                for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
                    if (child->Has(vsVisible)) {
                        NodeHeight(child);
                        heightDelta += child->TotalHeight;
                    }
                if (above || FUpdateCount == 0) {
                    data.R1 = GetDisplayRect(Node, NoColumn, false);
                    data.Mode2 = tamNoScroll;
                    fits = Node->NodeHeight + heightDelta <= clientHeight;
                    if (!above) {
                        posHoldable = fits;
                        childrenInView = data.R1.Bottom + heightDelta <= clientHeight;
                    } else {
                        posHoldable = fits && int64_t(FRangeY) >= clientHeight;
                        topVisible = data.R1.Top - heightDelta >= 0;
                        bottomVisible = data.R1.Bottom <= clientHeight;
                    }
                    data.R1.Bottom = clientHeight;
                }
                if (FUpdateCount == 0) {
                    if (data.R1.Top < clientHeight && !FStates.Contains(tsExpanding) &&
                        !FStates.Contains(tsPainting) && animated) {
                        const int nodeHeight = int(Node->NodeHeight);
                        const int delta = int(std::min<int64_t>(heightDelta, INT32_MAX));
                        if (!above) {
                            if ((posHoldable && childrenInView) || !autoScroll || !advanced ||
                                data.R1.Top < 1) {
                                data.Mode1 = tamScrollDown;
                                data.R1.Top += nodeHeight;
                                data.Amount1 = std::min(clientHeight - data.R1.Top, delta);
                            } else {
                                // The node and what is above it move up, the rows below down.
                                data.Mode1 = tamScrollUp;
                                data.Mode2 = tamScrollDown;
                                const int nodeTop = data.R1.Top;
                                data.R1 = TRect(data.R1.Left, 0, data.R1.Right,
                                                nodeTop + nodeHeight + 1);
                                data.R2 = TRect(data.R1.Left, data.R1.Bottom, data.R1.Right,
                                                clientHeight);
                                data.Amount1 = std::min(delta + data.R2.Top - clientHeight,
                                                        data.R1.Bottom - nodeHeight);
                                data.Amount2 = clientHeight - data.R2.Top;
                            }
                        } else if (!advanced ||
                                   (posHoldable && ((topVisible && bottomVisible) || !autoScroll))) {
                            data.Mode1 = tamScrollUp;
                            const int oldTop = data.R1.Top;
                            data.R1 = TRect(data.R1.Left, 0, data.R1.Right, oldTop);
                            data.Amount1 = std::min(delta, oldTop);
                        } else {
                            data.Mode1 = tamScrollDown;
                            data.Mode2 = tamScrollUp;
                            data.R2 = TRect(data.R1.Left, 0, data.R1.Right, data.R1.Top);
                            const int64_t excess = int64_t(FRangeY) + delta - clientHeight;
                            if (autoScroll) {
                                if (fits && bottomVisible && excess > 0)
                                    data.Amount1 = delta < data.R1.Top
                                                       ? clientHeight - int(FRangeY)
                                                       : std::abs(data.R1.Top - delta);
                                else if (excess > 0)
                                    data.Amount1 = clientHeight - data.R1.Top - nodeHeight;
                                else {
                                    data.Mode2 = tamNoScroll;
                                    data.Amount1 = delta;
                                }
                                if (data.Mode2 != tamNoScroll) {
                                    if (data.Amount1 < 1) {
                                        data.Mode1 = tamNoScroll;
                                        data.Amount2 = std::min(delta, data.R1.Bottom);
                                    } else {
                                        data.Amount2 = std::min(data.R1.Top, delta - data.Amount1);
                                    }
                                }
                            } else {
                                data.Amount1 =
                                    int(delta - FOffsetY - std::max<int64_t>(0, excess));
                                if (excess > 0)
                                    data.Amount2 = int(std::min<int64_t>(excess, data.R2.Bottom));
                                else
                                    data.Mode2 = tamNoScroll;
                            }
                        }
                        if (data.R1.Top <= clientHeight)
                            slide();
                    }
                    if (TreeOptions().AutoOptions().Contains(toAutoSort))
                        Sort(Node, SortColumn(), SortAscending(), false);
                }
                // Initialisation cannot expand the node meanwhile: it is marked as toggling.
                if (!Node->Has(vsExpanded)) {
                    Node->States.Include(vsExpanded);
                    UpdateTotalHeight(Node, heightDelta, true);
                    if (FullyVisible(Node))
                        FVisibleCount += VisibleDescendantCount(Node);
                }
                DoExpanded(Node);
            }
        }

        if (needUpdate) {
            MarkCacheInvalid();
            if (FUpdateCount > 0) {
                UpdateVerticalRange();
            } else {
                RequestCacheValidation();
                if (Node->ChildCount == 0) {
                    InvalidateNode(Node);
                } else {
                    UpdateVerticalRange();
                    UpdateScrollBars(true);
                    if (HandleAllocated() && !FStates.Contains(tsExpanding) &&
                        !FStates.Contains(tsPainting)) {
                        if (Node->Has(vsExpanded) && (autoScroll || above)) {
                            if (!above) {
                                if (fits) {
                                    scrollDone = ScrollIntoView(GetLastVisible(Node, true, false),
                                                                false, false);
                                } else {
                                    SetTopNode(Node);
                                    scrollDone = true;
                                }
                            } else {
                                scrollDone = true;
                                if ((posHoldable && topVisible && bottomVisible) || !autoScroll) {
                                    SetOffsetY(int(FOffsetY - heightDelta));
                                } else if (fits && bottomVisible) {
                                    if (PLazyNode first = GetFirstVisible(Node, true))
                                        SetOffsetY(FOffsetY -
                                                   GetDisplayRect(first, NoColumn, false).Top);
                                } else {
                                    SetBottomNode(Node);
                                }
                            }
                        } else {
                            if (above)
                                SetOffsetY(int(FOffsetY - heightDelta));
                            scrollDone = true;
                        }
                    }
                    if (scrollDone)
                        InvalidateTree();
                    else
                        InvalidateToBottom(Node);
                }
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TBaseLazyTree::FillColumnStrips(QPainter &Painter, const QRect &Strip)
{
    const QColor background = ToQColor(FColors->BackGroundColor());
    Painter.fillRect(Strip, background);
    TLazyTreeColumns &columns = FHeader->Columns();
    for (TColumnIndex column = columns.GetFirstVisibleColumn(); column >= 0;
         column = columns.GetNextVisibleColumn(column)) {
        int left = 0, right = 0;
        columns[column].GetUnscrolledBounds(left, right);
        left -= FEffectiveOffsetX;
        right -= FEffectiveOffsetX;
        if (left >= ClientWidth())
            break;
        if (!columns[column].Options().Contains(TLTColumnOption::coParentColor))
            Painter.fillRect(Strip.intersected(QRect(left, Strip.top(), right - left, Strip.height())),
                             ToQColor(columns[column].Color()));
    }
}
