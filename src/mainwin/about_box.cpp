#include "mainwin/about_box.h"

#include "mainwin/web_links.h"
#include "vopa_version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr QSize kBoxSize(278, 208);
constexpr int kIconSize = 34;

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setFixedSize(kBoxSize);
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* icon = new QLabel(panel);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
  auto* product = new QLabel(QStringLiteral("ヴォパメモ"), panel);
  product->setObjectName(QStringLiteral("ProductName"));
  Version = new QLabel(QStringLiteral("バージョン: ") + QStringLiteral(VOPA_VERSION_TEXT), panel);
  Version->setObjectName(QStringLiteral("Version"));
  auto* comment = new QLabel(QStringLiteral("黒いかたまりは猫です。"), panel);
  comment->setObjectName(QStringLiteral("Comments"));

  auto* heading = new QGridLayout;
  heading->addWidget(icon, 0, 0, 2, 1);
  heading->addWidget(product, 0, 1);
  heading->addWidget(Version, 1, 1);
  heading->setColumnStretch(1, 1);
  auto* inside = new QVBoxLayout(panel);
  inside->addLayout(heading);
  inside->addWidget(comment);
  // Each way out of the box opens its address and closes the box.
  const auto addLink = [this, panel, inside](const char* name, const QString& caption, const QString& address) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, address] {
      QDesktopServices::openUrl(QUrl(address));
      accept();
    });
    inside->addWidget(button);
  };
  addLink("ProductPageBtn", QStringLiteral("製品の最新情報は..."), kProductPage);
  addLink("HelpPageBtn", QStringLiteral("操作方法、Tipsは..."), kHelpPage);
  addLink("MailBtn", QStringLiteral("作者へメール"), kMakerMail);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* column = new QVBoxLayout(this);
  column->addWidget(panel, 1);
  column->addWidget(ok, 0, Qt::AlignHCenter);
}
