#pragma once

#include <QString>
#include <string>

// XML 1.0 cannot hold most C0 control characters, not even as character references.
// A book file therefore shows control character c as the control picture U+2400 + c,
// and a character of U+2400..U+2420 that was in the text itself is preceded by
// U+2420 (the escape). Memo texts keep TAB and CR LF as they are (a lone CR or LF is
// shown as its picture); in option values every control character is shown as its
// picture. Reading undoes exactly this.

// Appends UTF-8 text escaped for an element's content (memoText) or an attribute value.
// The CR of each CR LF is left out: the writer turns every LF it emits into CR LF.
void AppendXmlEscaped(std::string& out, const char* utf8, qsizetype size, bool memoText);

// Appends character data as pugixml delivers it without resolving escapes, as UTF-8
// with the five entities and character references resolved. A reference to a character
// that XML cannot hold (&#0;, &#1;, ...) gives that character, as its control picture
// written by this program would; a reference that names no character stays as it stands.
void AppendResolved(QByteArray& out, const char* utf8, size_t size);

// Resolved UTF-8 back to the text as it was written: pictures become their characters
// again, and every line break of a memo text (CR LF, a lone CR or LF) becomes CR LF.
QString RevealStoredText(QByteArrayView utf8, bool memoText);

// A value as pugixml delivers it (escapes unresolved), back as it was written.
QString ReadXmlValue(const char* utf8, bool memoText);

// Exposed for the tests of the picture form.
QString RevealControls(const QString& text);
QString LineBreaksToCrLf(const QString& text);

// Whether name can stand as an XML attribute name.
bool IsXmlName(const QString& name);
