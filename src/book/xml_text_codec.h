#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// XML 1.0 cannot hold most C0 control characters, not even as character references.
// A book file therefore shows control character c as the control picture U+2400 + c,
// and a character of U+2400..U+2420 that was in the text itself is preceded by
// U+2420 (the escape). Memo texts keep TAB and CR LF as they are; in option values
// every control character is shown as its picture. Reading undoes exactly this.
QString HideControls(const QString& text, bool keepTabsAndCrLf);
QString RevealControls(const QString& text);

// Appends UTF-8 text escaped for an element's content or an attribute value.
// CR bytes are left out: the writer turns every LF it emits into CR LF.
void AppendXmlEscaped(std::string& out, const QByteArray& utf8, bool attribute);

// The line breaks of a read text as CR LF, after the style of its first line break;
// a text whose first break is CR LF (or without breaks) stays as it is.
QString LineBreaksToCrLf(const QString& text);

// Whether name can stand as an XML attribute name.
bool IsXmlName(const QString& name);
