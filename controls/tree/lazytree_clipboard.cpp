// Cut, copy and paste: a copy or cut only marks the nodes and puts a data object on the
// clipboard that renders the marked nodes when asked; a paste moves (a cut of this process)
// or copies them. Also the tree data rendering shared with dragging.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreedataobject.h"
#include "platform/dataclipboard.h"

#include <QBuffer>
#include <QtEndian>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTMiscOption;
using namespace LTResult;

namespace {

// The next node of a walk that skips Node's subtree; nil at the end of the tree.
PLazyNode AfterSubtree(PLazyNode Node, PLazyNode Root)
{
    while (Node != Root && !Node->NextSibling)
        Node = Node->Parent;
    return Node == Root ? nullptr : Node->NextSibling;
}

}   // namespace

void TBaseLazyTree::MarkCutCopyNodes()
{
    if (FSelection.empty())
        return;
    for (PLazyNode node : GetSortedSelection(false))
        if (!node->Has(vsDisabled))
            node->States.Include(vsCutOrCopy);
}

void TBaseLazyTree::CopyToClipboard()
{
    if (FSelection.empty())
        return;
    // Replacing an earlier object of this tree ends its cut or copy before the new marks.
    if (!DataClipboard().SetDataObject(new TLTDataObject(this, true)))
        return;
    MarkCutCopyNodes();
    DoStateChange({tsCopyPending});
    InvalidateTree();
}

void TBaseLazyTree::CutToClipboard()
{
    if (FSelection.empty() || FOptions->MiscOptions().Contains(toReadOnly))
        return;
    if (!DataClipboard().SetDataObject(new TLTDataObject(this, true)))
        return;
    MarkCutCopyNodes();
    DoStateChange({tsCutPending}, {tsCopyPending});
    InvalidateTree();
}

bool TBaseLazyTree::PasteFromClipboard()
{
    if (FOptions->MiscOptions().Contains(toReadOnly))
        return false;
    const QMimeData *data = DataClipboard().DataObject();
    if (!data)
        throw ELazyTreeError("Clipboard operation failed.", 2007);
    TBaseLazyTree *source = SourceTreeOf(data);
    const bool optimized = source && source->FStates.Contains(tsCutPending);
    const bool result = ProcessOLEData(source, data, FFocusedNode, FDefaultPasteMode, optimized);
    if (source) {
        if (source == this)
            DoStateChange({}, {tsCutPending});
        else
            source->FinishCutOrCopy();
    }
    return result;
}

void TBaseLazyTree::FinishCutOrCopy()
{
    if (!FStates.Contains(tsCutPending))
        return;
    BeginUpdate();
    try {
        PLazyNode run = FRoot->FirstChild;
        while (run) {
            if (run->Has(vsCutOrCopy)) {
                PLazyNode next = AfterSubtree(run, FRoot);
                DeleteNode(run);
                run = next;
            } else {
                run = GetNextNoInit(run);
            }
        }
    } catch (...) {
        EndUpdate();
        DoStateChange({}, {tsCutPending});
        throw;
    }
    EndUpdate();
    DoStateChange({}, {tsCutPending});
}

void TBaseLazyTree::CancelCutOrCopy()
{
    if (FStates.Contains(tsCutPending) || FStates.Contains(tsCopyPending))
        for (PLazyNode run = FRoot->FirstChild; run; run = GetNextNoInit(run))
            run->States.Exclude(vsCutOrCopy);
    DoStateChange({}, {tsCopyPending, tsCutPending});
}

void TBaseLazyTree::FlushClipboard()
{
    if (!FStates.Contains(tsCutPending) && !FStates.Contains(tsCopyPending))
        return;
    DoStateChange({tsClipboardFlushing});
    try {
        // Only this tree's own object is rendered for good; another program's stays.
        const QMimeData *held = DataClipboard().DataObject();
        const auto *own = dynamic_cast<const TLTDataObject *>(held);
        if (own && own->Owner() == this)
            DataClipboard().Flush();
        CancelCutOrCopy();
    } catch (...) {
        DoStateChange({}, {tsClipboardFlushing});
        throw;
    }
    DoStateChange({}, {tsClipboardFlushing});
}

std::vector<PLazyNode> TBaseLazyTree::GetSortedCutCopySet(bool Resolve)
{
    std::vector<PLazyNode> result;
    PLazyNode run = FRoot->FirstChild;
    while (run) {
        if (run->Has(vsCutOrCopy)) {
            result.push_back(run);
            if (Resolve) {
                run = AfterSubtree(run, FRoot);
                continue;
            }
        }
        run = GetNextNoInit(run);
    }
    return result;
}

uint32_t TBaseLazyTree::CutCopyCount()
{
    uint32_t count = 0;
    for (PLazyNode run = GetFirstCutCopy(); run; run = GetNextCutCopy(run))
        ++count;
    return count;
}

// ---------------------------------------------------------------------------------------
// Rendering

void TBaseLazyTree::OfferedFormats(std::vector<TFormatEtc> &Formats)
{
    TClipboardFormatList::EnumerateFormats(metaObject(), Formats, &ClipboardFormats());
    if (OnGetUserClipboardFormats)
        OnGetUserClipboardFormats(this, Formats);
}

HRESULT TBaseLazyTree::RenderTreeData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                                      bool ForClipboard)
{
    Medium = TStgMedium();
    if (FormatEtcIn.cfFormat == LazyTreeFormats().TreeData &&
        (FormatEtcIn.tymed & (TYMED_HGLOBAL | TYMED_ISTREAM))) {
        const QByteArray chunks =
            SaveNodeChunks(ForClipboard ? GetSortedCutCopySet(true) : GetSortedSelection(true));
        if (FormatEtcIn.tymed & TYMED_ISTREAM) {
            Medium.tymed = TYMED_ISTREAM;
            Medium.Data = chunks;
            return S_OK;
        }
        if (chunks.isEmpty())
            return E_FAIL;
        QByteArray block(4, '\0');
        qToLittleEndian<uint32_t>(uint32_t(chunks.size()), block.data());
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Data = block + chunks;
        return S_OK;
    }
    return RenderOLEData(FormatEtcIn, Medium, ForClipboard);
}

HRESULT TBaseLazyTree::RenderOLEData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                                     bool ForClipboard)
{
    HRESULT result = E_FAIL;
    if (OnRenderOLEData)
        OnRenderOLEData(this, FormatEtcIn, Medium, ForClipboard, result);
    return result;
}

HRESULT TCustomLazyStringTree::RenderOLEData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                                             bool ForClipboard)
{
    HRESULT result = TBaseLazyTree::RenderOLEData(FormatEtcIn, Medium, ForClipboard);
    if (result >= 0)
        return result;
    try {
        const QByteArray block = ContentToClipboard(
            FormatEtcIn.cfFormat,
            ForClipboard ? TLSTTextSourceType::tstCutCopySet : TLSTTextSourceType::tstSelected);
        if (block.isEmpty())
            return result;
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Data = block;
        Medium.ReleaseObject = nullptr;
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

// ---------------------------------------------------------------------------------------
// Inserting tree data

TBaseLazyTree *TBaseLazyTree::SourceTreeOf(const QMimeData *DataObject)
{
    if (!DataObject)
        return nullptr;
    const QString mime = DataObjectMimeType(LazyTreeFormats().Reference);
    if (!DataObject->hasFormat(mime))
        return nullptr;
    return TreeOfReference(DataObject->data(mime));
}

bool TBaseLazyTree::ProcessOLEData(TBaseLazyTree *Source, const QMimeData *DataObject,
                                   PLazyNode TargetNode, TLTNodeAttachMode Mode, bool Optimized)
{
    if (!DataObject || !DataObject->hasFormat(DataObjectMimeType(LazyTreeFormats().TreeData)) ||
        FOptions->MiscOptions().Contains(toReadOnly))
        return false;
    BeginUpdate();
    try {
        if (!TargetNode)
            TargetNode = FRoot;
        if (TargetNode == FRoot) {
            if (Mode == TLTNodeAttachMode::amInsertBefore)
                Mode = TLTNodeAttachMode::amAddChildFirst;
            else if (Mode == TLTNodeAttachMode::amInsertAfter)
                Mode = TLTNodeAttachMode::amAddChildLast;
        }
        if (Optimized && Source) {
            const bool dragging = Source->FStates.Contains(tsOLEDragging) ||
                                  Source->FStates.Contains(tsVCLDragging);
            const std::vector<PLazyNode> nodes = dragging
                                                     ? Source->FDragSelection
                                                     : Source->GetSortedCutCopySet(true);
            const bool forward = Mode == TLTNodeAttachMode::amInsertBefore ||
                                 Mode == TLTNodeAttachMode::amAddChildLast;
            for (size_t i = 0; i < nodes.size(); ++i) {
                PLazyNode node = nodes[forward ? i : nodes.size() - 1 - i];
                // A node never goes below itself.
                if (Source == this && (node == TargetNode || HasAsParent(TargetNode, node)))
                    continue;
                if (TargetNode == FRoot && Source != this)
                    Source->MoveTo(node, this, Mode, false);
                else
                    Source->MoveTo(node, TargetNode, Mode, false);
            }
        } else {
            QByteArray chunks;
            if (ReadTreeData(*DataObject, chunks)) {
                const TChangeReason reason =
                    Source == this ? TChangeReason::crNodeCopied : TChangeReason::crNodeAdded;
                QBuffer stream(&chunks);
                stream.open(QIODevice::ReadOnly);
                // Where the next node is linked: a chunk that fails takes its node along.
                auto linkedAt = [&]() -> PLazyNode {
                    switch (Mode) {
                    case TLTNodeAttachMode::amInsertBefore: return TargetNode->PrevSibling;
                    case TLTNodeAttachMode::amInsertAfter: return TargetNode->NextSibling;
                    case TLTNodeAttachMode::amAddChildFirst: return TargetNode->FirstChild;
                    default: return TargetNode->LastChild;
                    }
                };
                while (stream.pos() < stream.size()) {
                    PLazyNode node = nullptr;
                    const PLazyNode before = linkedAt();
                    try {
                        node = AddNodeFromChunk(stream, TargetNode, Mode);
                    } catch (...) {
                        if (PLazyNode partial = linkedAt(); partial && partial != before)
                            DeleteNode(partial);
                        throw;
                    }
                    if (DoNodeCopying(node, TargetNode == FRoot ? nullptr : TargetNode)) {
                        DoNodeCopied(node);
                        NoteStructureChange(node, reason);
                        if (Mode == TLTNodeAttachMode::amInsertAfter)
                            TargetNode = node;
                    } else {
                        DeleteNode(node);
                    }
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return true;
}
