#pragma once
// The cell mark-up language (a small HTML subset): colour and entity conversion, plain-text
// conversion, search highlighting, the accessors of embedded CONTROL tags, and the text
// preparation the renderer applies before layout. Upper-casing here is ASCII only.
#include <QString>
#include <QStringList>

#include "platform/color.h"

// Colour names such as "clred" or "clbtnface" (looked up lower-cased); an unknown name is 0.
TColor ColorNameToColor(const QString &name);
// "#RRGGBB". Only 0-9 and upper-case A-F have their hexadecimal value; callers upper-case
// first. Missing digits count as 0.
TColor HtmlHexToColor(const QString &text);

QString DecodeHtmlEntities(const QString &text, bool accented);
QString EncodeHtmlEntities(const QString &text, bool accented);
QString SpacesToNbsp(const QString &text);

// <BR> and <HR> become CR LF, every other tag is dropped; an unclosed "<" stays with the
// text after it. Entities are left as they are.
QString HtmlToPlainText(const QString &text);
// The visible text: tags removed up to the first "<" that has no ">" after it.
QString StripTags(const QString &text);
// Every match of search in the visible text is wrapped in <tag>...</tag>; a match that
// starts right after the previous one is skipped.
QString WrapMatchesInTag(const QString &text, const QString &search, const QString &tag,
                         bool matchCase);
// The text escaped ("&", double quote, "<" and ">" as entities) with every match of search
// in its plain text wrapped in <tag>...</tag>, matches found as WrapMatchesInTag finds them.
// A text holding a tag named in keep (an earlier pass) counts as mark-up: those tags stay and
// the entities of the rest are its plain text; any other text is plain as it is. Matches are
// looked for in the plain text, so none begins or ends inside an entity.
QString WrapPlainMatchesInTag(const QString &text, const QString &search, const QString &tag,
                              const QStringList &keep, bool matchCase);
// Removes <tag> and </tag> (any case, without attributes) and unescapes &lt; and &gt;.
QString UnwrapTag(const QString &text, const QString &tag);

// Attributes of one embedded control, as written (TYPE upper-cased, VALUE and PROP decoded).
struct THtmlControlAttrs
{
    QString Type, ID, Value, Width, Height, Prop, MaxLen;
};

bool HasControlTag(const QString &text);
THtmlControlAttrs ParseControlTag(const QString &attrText);
// ID of the first EDIT, PASSWORD, MASK or COMBO control after the one named id (from the
// start when id is empty); empty when there is none.
QString NextEditControlID(const QString &text, const QString &id);
QString ClearRadioControls(const QString &text);
bool GetControlValue(const QString &text, const QString &id, QString &value);
QString GetControlProp(const QString &text, const QString &id);
int GetControlMaxLen(const QString &text, const QString &id);
// Rewrites the first control with that ID with the new value; false (text unchanged) when
// no control has it.
bool SetControlValue(QString &text, const QString &id, const QString &value);

// The colours of every HI tag in the process; the last grid that sets them wins.
void SetHighlightColors(TColor background, TColor textColor);
TColor HighlightBackgroundColor();
TColor HighlightTextColor();

bool ReplaceFirstIgnoreCase(const QString &find, const QString &replacement, QString &text);
int PosIgnoreCase(const QString &find, const QString &text);   // 1-based, 0 when absent
QString UnwrapHashTags(const QString &text);
QString LineBreaksToBrTags(const QString &text, bool makeBreaks);

// The renderer's preparation of a whole text: the nine named entities, then
// UnwrapHashTags, then LineBreaksToBrTags with breaks.
QString PrepareHtmlText(const QString &text);
// The entities replaced inside each text run: &nbsp;, &lt; and &gt; (any case).
QString ReplaceRunEntities(const QString &run);

// Leading integer of an attribute value (blanks, sign, decimal or "$"/"0x" hexadecimal),
// reading up to the first other character; 0 without digits.
int LeadingInt(const QString &text);
