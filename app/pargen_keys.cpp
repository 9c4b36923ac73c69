#include "app/pargen_keys.h"

#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

TParGen_Keys::TParGen_Keys(const QString &path)
{
    if (!File_Exists(path))
        return;
    auto doc = std::make_unique<TXmlDocument>();
    try {
        doc->LoadFromFile(path);
    } catch (const EXmlError &) {
        return;
    }
    doc_ = std::move(doc);
}

TParGen_Keys::~TParGen_Keys() = default;

bool TParGen_Keys::Text(const QString &key, QString &value) const
{
    if (!doc_)
        return false;
    const TXmlNode root = doc_->DocumentElement();
    const TXmlNode node = root ? root.Child(key) : TXmlNode();
    if (!node)
        return false;
    value = node.Text();
    return true;
}

QString TParGen_Keys::Text_Def(const QString &key, const QString &def) const
{
    QString value;
    return Text(key, value) ? value : def;
}

int TParGen_Keys::Int_Def(const QString &key, int def) const
{
    QString value;
    return Text(key, value) ? StrToIntDef(value, def) : def;
}
