#pragma once
// Single settings of the project's ParGen.xml as the editors and file writers read them:
// the file loaded afresh, each key on its own, and the key's default whenever the file, the
// element or a usable value is missing. Nothing here ever throws: a damaged file reads as
// a missing one.
#include <QString>
#include <memory>

class TXmlDocument;

class TParGen_Keys
{
public:
    explicit TParGen_Keys(const QString &path);
    ~TParGen_Keys();

    bool File_Loaded() const { return doc_ != nullptr; }
    // The element's text exactly as stored; false when the file or the element is missing.
    bool Text(const QString &key, QString &value) const;
    QString Text_Def(const QString &key, const QString &def) const;
    // A decimal integer text; def when missing or not a number.
    int Int_Def(const QString &key, int def) const;

private:
    std::unique_ptr<TXmlDocument> doc_;
};
