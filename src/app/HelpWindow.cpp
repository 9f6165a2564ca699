#include "app/HelpWindow.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/Fonts.h"
#include "ui/UiTexts.h"

namespace lexiscoop {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(Qs("案内"));
  setFont(WindowFont());

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("tbHelp"));
  // Pages of the help folder open here; a page on the web goes to the
  // desktop's browser, if there is one.
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(true);

  auto* back = new QToolButton(this);
  back->setObjectName(QStringLiteral("tbHelpBack"));
  back->setText(Qs("◀ 戻る"));
  back->setEnabled(false);
  auto* close = new QPushButton(Qs("閉じる"), this);
  close->setObjectName(QStringLiteral("pbHelpClose"));
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back);
  bar->addStretch(1);
  bar->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_, 1);
  layout->addLayout(bar);

  // A readable page, no larger than the screen has room for.
  QSize size(760, 640);
  if (const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize() * 9 / 10);
  }
  resize(size);
}

void HelpWindow::ShowPage(const QUrl& url) {
  browser_->setSource(url);
  show();
  raise();
  activateWindow();
}

}  // namespace lexiscoop
