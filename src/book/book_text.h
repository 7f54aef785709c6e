#pragma once

#include <QByteArray>

class TBook;

// A book as plain text: each memo's text followed by one empty line, CR LF breaks, no
// titles or options; in code page 932 where it holds every character, else UTF-8 with a
// byte-order mark, so no character is lost.
QByteArray BookAsText(const TBook& book);
