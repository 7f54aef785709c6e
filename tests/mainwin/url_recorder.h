#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// While it lives, takes the web and mail addresses the program opens instead of a
// browser or a mail program.
class TUrlRecorder : public QObject {
  Q_OBJECT
 public:
  TUrlRecorder() {
    for (const char* scheme : {"https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~TUrlRecorder() override {
    for (const char* scheme : {"https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> Opened;

 public slots:
  void Open(const QUrl& url) { Opened << url; }
};
