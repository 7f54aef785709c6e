#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Bytes on disk in code page 932: written as UTF-8 with a byte-order mark when
// code page 932 cannot hold the text, so no character is ever lost.
QByteArray EncodeCp932OrUtf8(const QString& text);
// A UTF-8 byte-order mark means UTF-8; anything else is code page 932.
QString DecodeCp932OrUtf8(const QByteArray& bytes);

// Plain code page 932 without the byte-order-mark rule; nullopt when some character
// has no code page 932 form.
std::optional<QByteArray> EncodeCp932(const QString& text);
QString DecodeCp932(const QByteArray& bytes);

// UTF-8 as it stands: a U+FEFF at the start is a character of the text here, where
// QString::fromUtf8 would drop it as a byte-order mark. Bad bytes become U+FFFD.
QString DecodeUtf8Exactly(QByteArrayView bytes);
// Whether the bytes are UTF-8 throughout; a large text is checked on every core.
bool IsValidUtf8(QByteArrayView bytes);
