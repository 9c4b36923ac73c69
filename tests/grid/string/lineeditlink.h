#pragma once
// An edit link served by a plain line edit, in place or in its popup form.
#include "grid/string/customeditorlink.h"

#include <QLineEdit>
#include <QPointer>

class TLineEditLink : public TEditLink
{
public:
    QWidget *GetEditControl() override { return FEdit; }
    void CreateEditor(QWidget *AParent) override
    {
        if (!FEdit || FEdit->parentWidget() != AParent)
            FEdit = new QLineEdit(AParent);
    }
    void DestroyEditor() override {}
    QString GetEditorValue() override { return FEdit ? FEdit->text() : QString(); }
    void SetEditorValue(const QString &S) override
    {
        if (FEdit)
            FEdit->setText(S);
    }
    QPointer<QLineEdit> FEdit;
};
